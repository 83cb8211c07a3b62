#!/usr/bin/env bash
# The main window on an 800 × 600 screen, with a window manager that draws a
# frame (openbox) or with none: the first start without settings fits the
# screen frame included, the stepping row is usable after Wide and Zoom Out,
# and the measures saved at the close bring the window back the same.
# Usage: window_manager.sh openbox|none KestrunAds make-demo-medium e2e-close OUT
set -uo pipefail
wm="$1"
exe="$2"
maker="$3"
closer="$4"
out="$5"
here="$(cd "$(dirname "$0")" && pwd)"
# shellcheck source=tests/e2e/lib.sh
source "$here/lib.sh"
need_tools Xvfb xdotool xprop xwininfo import compare convert dbus-run-session /usr/bin/python3
[ "$wm" = openbox ] && need_tools openbox
/usr/bin/python3 -c "import pyatspi" 2>/dev/null || skip_or_fail "python3-pyatspi is not installed."
# A session bus of the run's own carries the accessibility bus, whose socket
# goes in a runtime folder of its own, apart from parallel runs.
if [ -z "${KESTRUN_E2E_BUS:-}" ]; then
  bus_runtime="$(mktemp -d)"
  KESTRUN_E2E_BUS=1 XDG_RUNTIME_DIR="$bus_runtime" dbus-run-session -- bash "$0" "$@"
  rc=$?
  rm -rf "$bus_runtime"
  exit "$rc"
fi
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
WM_PID=""
E2E_CLEANUP+=('[ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null')
e2e_init

XVFB_SCREEN=800x600x24 start_xvfb "$work/xvfb.log" || die "Xvfb did not start"
if [ "$wm" = openbox ]; then
  openbox --sm-disable >"$work/wm.log" 2>&1 &
  WM_PID=$!
  for _ in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.1
  done
fi
"$maker" "$work/cd" >/dev/null || die "the demo medium could not be written"
ad() { echo "$work/cd/ads/$1"; }
convert "$(ad 64tova00.jpg)" -resize '443x555!' "$work/ad00.png"
convert "$(ad 64tova01.jpg)" -resize '443x555!' "$work/ad01.png"

# The place and size of window $1 on the screen, in X, Y, WIDTH, HEIGHT
# (xdotool counts a framed window's offset twice; xwininfo does not).
client() {
  local info
  info="$(xwininfo -id "$1")"
  X="$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")"
  Y="$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")"
  WIDTH="$(sed -n 's/^ *Width: *//p' <<<"$info")"
  HEIGHT="$(sed -n 's/^ *Height: *//p' <<<"$info")"
}

# The outer rectangle "X Y W H" of window $1: its own place and size plus the
# frame the window manager put around it.
outer() {
  local l=0 r=0 t=0 b=0 ext
  client "$1"
  ext="$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= *//p' | tr -d ' ')"
  [ -n "$ext" ] && IFS=, read -r l r t b <<<"$ext"
  echo "$((X - l)) $((Y - t)) $((WIDTH + l + r)) $((HEIGHT + t + b))"
}

# Starts the viewer and waits until its window has settled; WIN, OUTER set.
start() {
  KESTRUN_DRIVES="D=$work/cd" start_viewer "$exe"
  WIN="$(wait_for_window "$CAPTION" 200 "$viewer")"
  [ -n "$WIN" ] || die "no main window appeared"
  local last="" now
  for _ in $(seq 30); do
    sleep 0.2
    now="$(outer "$WIN")"
    [ "$now" = "$last" ] && break
    last="$now"
  done
  OUTER="$now"
}

close_viewer() {
  "$closer" "$WIN" || fail "the main window could not be asked to close"
  if ! wait_ended "$viewer"; then
    fail "the program did not end when its window was closed"
    kill "$viewer"
  fi
  viewer=""
}

step "first start on an 800 x 600 screen ($wm)"
start
read -r ox oy ow oh <<<"$OUTER"
shot first-start
echo "outer window: $ox,$oy ${ow}x$oh"
if [ "$ox" -lt 0 ] || [ "$oy" -lt 0 ] || [ $((ox + ow)) -gt 800 ] || [ $((oy + oh)) -gt 600 ]; then
  fail "the window runs off the 800 x 600 screen: $ox,$oy ${ow}x$oh"
fi
[ "$ow" = 800 ] && [ "$oh" = 600 ] || fail "without settings the window should cover the screen, not ${ow}x$oh"

step "year 1964, Wide, Zoom Out, then the spin arrow"
client "$WIN"
cx=$X
cy=$((Y + MENU_BAR))
click() { xdotool mousemove --sync "$1" "$2" click 1; }
image1="443x555+$((cx + 328))+$cy"
click $((cx + 8 + 24 + 36)) $((cy + 16 + 16)) # 1964
expect_view year-1964 "$image1" "$work/ad00.png" "$work/ad01.png"
click $((cx + 8 + 24 + 36)) $((cy + 440 + 16)) # Wide, in the year panel
sleep 0.5
click $((cx + 672 + 40)) $((cy + 528 + 12)) # Zoom Out, in the bottom row
sleep 0.5
# The spin button's right arrow (forward), beside the counter below the picture.
click $((cx + 331 + 43)) $((cy + 528 + 12))
expect_view spin-after-wide "$image1" "$work/ad01.png" "$work/ad00.png"

step "keys on their way to the menu select no year; Alt+F, F10 and Alt reach it"
# After 1969 the focus is on 1970, which has no ads: a selection would prompt.
click $((cx + 8 + 24 + 36)) $((cy + 176 + 16))
focus_window "$WIN"
xdotool key shift ctrl super Caps_Lock Caps_Lock Num_Lock Num_Lock Menu ctrl+q
menu_opens() {
  local before menu
  before="$(windows_named "")"
  xdotool key "$@"
  # Escape on the year button would select it: only when a menu is open.
  if ! menu="$(wait_new_window "" "$before")"; then
    fail "$* opened no menu"
    return
  fi
  xdotool key Escape Escape
  wait_gone "$menu" || fail "Escape did not close the menu opened by $*"
}
menu_opens alt+f
menu_opens F10
menu_opens alt Down
[ -z "$(windows_named "$TITLE")" ] || fail "a key for the menu selected 1970 and raised a prompt"

dump() {
  /usr/bin/python3 "$here/a11y_dump.py" "$viewer" "$out/a11y-$1.txt" "${@:2}" ||
    fail "a screen reader does not find every control ($1); see $out/a11y-$1.txt"
}
step "a screen reader reads the window, wheel and drag move the zoomed picture"
dump normal --want "image=1969 Kestrun Ad 1" --want "text=1 of 2" --want "label=1969" \
  --want "push button=Back" --want "push button=Forward"
click $((cx + 8 + 112 + 36)) $((cy + 440 + 16)) # Zoom In
sleep 0.5
dump zoomed --want "label=1969 Kestrun Ad" --want "scroll bar=Scroll the ad across"
# A square of the picture, 1:1 from (8, 0), once moved across from (0, 0).
moved() {
  convert "$(ad 69tova00.jpg)" -crop "200x200+$1+$2" +repage "$work/part-$1-$2.png"
  expect_view "$3" "200x200+$((cx + 300))+$((cy + 200))" "$work/part-$1-$2.png" "$last"
  last="$work/part-$1-$2.png"
}
last="$work/ad00.png"
moved 292 200 zoomed
xdotool mousemove --sync $((cx + 400)) $((cy + 300)) click 5 # 48 down
moved 292 248 wheel-down
xdotool keydown shift click 4 keyup shift # 48 across: the picture goes right
moved 252 248 shift-wheel
xdotool click 6 # a horizontal wheel
moved 204 248 horizontal-wheel
xdotool mousedown 1 mousemove --sync $((cx + 385)) $((cy + 290)) \
  mousemove --sync $((cx + 370)) $((cy + 280)) mouseup 1
moved 234 268 drag
click $((cx + 672 + 40)) $((cy + 528 + 12)) # Zoom Out

step "the viewer by keyboard, centred frame included; the about box and copy panel read"
focus_window "$WIN"
xdotool key alt+a
if doc="$(wait_new_window "Kestrun Advertising Checklist " "")"; then
  sleep 0.5
  read -r dx dy dw dh <<<"$(outer "$doc")"
  [ $(((2 * dx + dw - 800) ** 2 + (2 * dy + dh - 600) ** 2)) -le 8 ] ||
    fail "the document viewer ($dx,$dy ${dw}x$dh, frame included) is not centred"
  dump document --want "push button=Print" --press OK
  wait_gone "$doc" || fail "the document viewer did not close on OK"
else
  fail "Alt+A did not open the document viewer"
fi
focus_window "$WIN"
xdotool key alt+h a
sleep 1
dump about --want "image=Kestrun Ads" --want "label=Kestrun Ads" --press OK
focus_window "$WIN"
xdotool key alt+f c
sleep 1
dump copy-panel --want "progress bar=0" --want "push button=Copy Ads" --press Cancel

step "a 48-megapixel scan shows"
convert -size 8000x6000 gradient:red-blue -quality 70 "$(ad 65tova00.jpg)"
convert -size 443x555 gradient:red-blue "$work/big.png"
click $((cx + 8 + 24 + 36)) $((cy + 48 + 16)) # 1965
expect_view scan-48-megapixels "$image1" "$work/big.png" "$work/ad00.png"
[ -z "$(windows_named "$TITLE")" ] || fail "the 48-megapixel scan raised a message"
close_viewer

ini="$work/config/KestrunAds/KestrunAds.ini"
setting() { sed -n "s/^$1=//p" "$ini" 2>/dev/null | tr -d '\r'; }
saved="$(setting MainLeft) $(setting MainTop) $(setting MainWidth) $(setting MainHeight)"
want="$((ox * 15)) $((oy * 15)) $((ow * 15)) $((oh * 15))"
[ "$saved" = "$want" ] || fail "saved '$saved' (twips), the outer window was '$want'"

step "saved measures come back"
# A smaller window somewhere else, saved as the outer measures it should get.
cat >"$ini" <<INI
[Settings]
MainLeft=1500
MainTop=1200
MainWidth=9000
MainHeight=6000
INI
start
shot restart
[ "$OUTER" = "100 80 600 400" ] || fail "the saved window 100 80 600 400 came back as $OUTER"
close_viewer
saved="$(setting MainLeft) $(setting MainTop) $(setting MainWidth) $(setting MainHeight)"
[ "$saved" = "1500 1200 9000 6000" ] || fail "the measures did not round-trip: saved '$saved'"

e2e_finish
