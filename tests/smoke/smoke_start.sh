#!/usr/bin/env bash
# Starts the built viewer in a virtual X display on a generated medium in
# drive D: and finds its main window by caption.
set -euo pipefail
exe="$1"
maker="$2"
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/../e2e/lib.sh"
need_tools Xvfb xdotool

work="$(mktemp -d)"
trap 'kill "${viewer:-}" "${XVFB_PID:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
"$maker" "$work/cd" >/dev/null
mkdir -p "$work/config" "$work/data"
mkdir -m 700 "$work/runtime"
start_xvfb "$work/xvfb.log"

# The viewer's own folders and the virtual display, whatever the caller's
# shell holds (a test shell may have QT_QPA_PLATFORM=offscreen).
KESTRUN_DRIVES="D=$work/cd" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
  XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb "$exe" >"$work/viewer.log" 2>&1 &
viewer=$!

splash="$(wait_for_window "Form2" 50 "$viewer")"
[ -n "$splash" ] && echo "splash window shown"
win="$(wait_for_window "Kestrun Ads - The Marketing of Ruzariz's Zephcar v1.10" 150 "$viewer")"
if [ -z "$win" ]; then
  echo "FAIL: no main window appeared"
  cat "$work/viewer.log"
  exit 1
fi
geometry="$(xdotool getwindowgeometry "$win")"
echo "$geometry"
# A 1024 x 768 screen: 11965 x 9195 twips, 798 x 613 pixels.
if ! grep -q "Geometry: 798x613" <<<"$geometry"; then
  echo "FAIL: unexpected main window size"
  exit 1
fi
echo "main window found by caption"
