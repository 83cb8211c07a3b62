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
need_tools Xvfb xdotool xprop xwininfo import compare convert
[ "$wm" = openbox ] && need_tools openbox
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
