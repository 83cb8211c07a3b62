#!/usr/bin/env bash
# A copy to the hard disk that fails part way, then completed: the built
# viewer in a real X window (Xvfb, no window manager) copies the demo medium
# from drive D: into its program folder, whose ads folder is a small tmpfs
# that fills up (without the right to mount one, folders in the way of some
# pictures make them fail instead). After a restart the pictures are read
# from that partial copy: a year that was not copied must still show, with
# no prompt for the CD-ROM. A second copy run must then leave every picture
# of the medium in the program folder, with no error on the way.
# Usage: partial_copy.sh KestrunAds make-demo-medium e2e-close OUT
set -uo pipefail
exe="$1"
maker="$2"
closer="$3"
out="$4"
here="$(cd "$(dirname "$0")" && pwd)"
# shellcheck source=tests/e2e/lib.sh
source "$here/lib.sh"
need_tools Xvfb xdotool import compare convert cmp
e2e_init

# Per-file error boxes carry the program's name; the closing message the
# product title.
ANY_BOX="(KestrunAds\$|$TITLE)"

# --- The medium, and a program folder of our own with the viewer in it.
XDG_RUNTIME_DIR="$work/runtime" "$maker" "$work/cd" >/dev/null || die "the demo medium could not be written"
prog="$work/prog"
mkdir -p "$prog/ads"
cp "$exe" "$prog/KestrunAds"
medium_bytes="$(du -sb "$work/cd/ads" | cut -f1)"
medium_files="$(find "$work/cd/ads" -maxdepth 1 -type f | wc -l)"

small_disk=0
if [ "$(id -u)" -eq 0 ] &&
  mount -t tmpfs -o "size=$((medium_bytes / 2 / 1024))k" tmpfs "$prog/ads" 2>"$work/mount.log"; then
  small_disk=1
  E2E_CLEANUP+=("umount -l '$prog/ads'")
  echo "the program's ads folder is a tmpfs of $((medium_bytes / 2 / 1024)) KiB for $medium_bytes bytes of ads"
else
  [ -n "${CI:-}" ] && [ "$(id -u)" -eq 0 ] && die "no tmpfs could be mounted in CI: $(cat "$work/mount.log")"
  # Every third picture meets a folder of its name where it should go.
  find "$work/cd/ads" -maxdepth 1 -type f -printf '%f\n' | sort | awk 'NR % 3 == 0' |
    while read -r name; do mkdir -p "$prog/ads/$name"; done
  echo "no tmpfs here: folders stand in the way of every third picture"
fi

start_xvfb "$work/xvfb.log" || die "Xvfb did not start"
IFS=x read -r screen_w screen_h _ <<<"${XVFB_SCREEN:-1024x768x24}"

# Starts the viewer from the program folder and waits for its main window;
# sets win, cx and cy (the client area's origin on the screen).
win=""
start() {
  : >"$work/viewer.log"
  KESTRUN_DRIVES="D=$work/cd" start_viewer "$prog/KestrunAds"
  main_window
}

stop() {
  # A close that comes while the copy run is still finishing is refused.
  local tries=0
  until "$closer" "$win" && wait_ended "$viewer" 20; do
    tries=$((tries + 1))
    [ "$tries" -lt 5 ] || die "the program did not end when its window was closed"
  done
  viewer=""
  [ "$RC" -eq 0 ] || fail "the program ended with code $RC"
}

# File ▸ Copy CD-ROM Ads to Hard Drive, then "Copy Ads" on the copy panel.
# Answers every box of the run; ERRORS is left with the number of per-file
# error boxes before the closing one.
ERRORS=0
copy_run() {
  local before menu name
  before="$(windows_named "")"
  xdotool mousemove --sync $((X + 15)) $((Y + MENU_BAR / 2)) click 1
  menu="$(wait_new_window "" "$before")" || {
    fail "the File menu did not open"
    return 1
  }
  xdotool key Down Return
  wait_gone "$menu"
  # The panel (486 × 345 pixels) is centred on a screen-sized area from the
  # client origin; "Copy Ads" lies at 24, 288 in it, 217 × 33.
  local px=$(((screen_w - 486 + 1) / 2)) py=$(((screen_h - 345 + 1) / 2))
  sleep 0.5
  shot "$1-panel"
  xdotool mousemove --sync $((cx + px + 24 + 108)) $((cy + py + 288 + 16)) click 1
  ERRORS=0
  while :; do
    name=""
    BOX="$(wait_new_window "$ANY_BOX" "")" && name="$(xdotool getwindowname "$BOX" 2>/dev/null)"
    if [ -z "$name" ] || ! TITLE="$ANY_BOX" answer_box "" "$1-box"; then
      fail "$1: the copy run did not end with its closing message"
      return 1
    fi
    [ "$name" = "KestrunAds" ] || break
    ERRORS=$((ERRORS + 1))
  done
}

# The copied pictures that are the medium's, byte for byte.
copied() {
  local f n=0
  for f in "$work"/cd/ads/*; do
    [ -f "$prog/ads/$(basename "$f")" ] && cmp -s "$f" "$prog/ads/$(basename "$f")" && n=$((n + 1))
  done
  echo "$n"
}

# Centre of a year button on the screen: three columns of 13 in the year
# panel, 33 pixels apart.
year_button() {
  local i=$(($1 - 1964)) col row
  col=$((i / 13))
  row=$((i % 13))
  echo "$((cx + 8 + 24 + col * 88 + 36)) $((cy + 16 + row * 32 + 16))"
}

step "first copy run: the disk fills up part way"
start
shot start
copy_run first
stop
first="$(copied)"
echo "after the first run $first of $medium_files pictures are in the program folder ($ERRORS error boxes)"
[ "$ERRORS" -gt 0 ] || fail "the first run showed no error box"
if [ "$first" -eq 0 ] || [ "$first" -ge "$medium_files" ]; then
  fail "the first run should copy some but not all pictures: $first of $medium_files"
fi

# Room enough now (or nothing in the way any more).
if [ "$small_disk" -eq 1 ]; then
  mount -o remount,size=64m "$prog/ads" || die "the tmpfs could not be enlarged"
else
  find "$prog/ads" -mindepth 1 -maxdepth 1 -type d -exec rmdir {} +
fi

# A year whose first picture the program folder lacks.
missing=""
for f in "$work"/cd/ads/*tova00.jpg; do
  name="$(basename "$f")"
  [ -f "$prog/ads/$name" ] || {
    missing="$name"
    break
  }
done
[ -n "$missing" ] || die "every year's first picture was copied; the run did not fail part way"
year=$((1900 + ${missing:0:2}))

step "restart: year $year, not copied, comes from the medium"
start
before="$(windows_named "")"
read -r bx by < <(year_button "$year")
convert "$work/cd/ads/$missing" -resize '443x555!' "$work/missing-stretched.png"
convert -size 443x555 xc:black "$work/black.png"
xdotool mousemove --sync "$bx" "$by" click 1
expect_view "year-$year" "443x555+$((cx + 328))+$cy" "$work/missing-stretched.png" "$work/black.png"
if box="$(windows_named "$ANY_BOX")" && [ -n "$box" ]; then
  shot prompt
  fail "year $year raised a message box: $(xdotool getwindowname "$box" 2>/dev/null)"
  TITLE="$ANY_BOX" answer_box "$before" prompt-answered
fi

step "second copy run: every picture"
copy_run second
stop
second="$(copied)"
echo "after the second run $second of $medium_files pictures are in the program folder"
[ "$ERRORS" -eq 0 ] || fail "the second run showed $ERRORS error boxes"
[ "$second" -eq "$medium_files" ] || fail "only $second of $medium_files pictures were copied"
leftovers="$(find "$prog/ads" -mindepth 1 -name '.*' | wc -l)"
[ "$leftovers" -eq 0 ] || fail "$leftovers unfinished files were left in the ads folder"

e2e_finish
