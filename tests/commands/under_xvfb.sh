#!/usr/bin/env bash
# Runs a test program on a virtual X display with the xcb platform; exits 77
# (skipped) where no Xvfb is installed. With KESTRUN_WM=openbox a window
# manager that draws frames runs on the display too.
set -uo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
if ! command -v Xvfb >/dev/null; then
  echo "Xvfb is not installed: skipped"
  exit 77
fi
# shellcheck source=../../scripts/xvfb.sh
source "$top/scripts/xvfb.sh"
log="$(mktemp)"
if ! start_xvfb "$log"; then
  rm -f "$log"
  echo "Xvfb did not start: skipped"
  exit 77
fi
wm=""
if [ "${KESTRUN_WM:-}" = openbox ]; then
  if ! command -v openbox >/dev/null; then
    kill "$XVFB_PID" 2>/dev/null
    [ -n "${CI:-}" ] && { echo "openbox is missing in CI"; exit 1; }
    echo "openbox is not installed: skipped"
    exit 77
  fi
  openbox --sm-disable >/dev/null 2>&1 &
  wm=$!
  for _ in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.1
  done
fi
QT_QPA_PLATFORM=xcb "$@"
rc=$?
[ -n "$wm" ] && kill "$wm" 2>/dev/null
kill "$XVFB_PID" 2>/dev/null
wait "$XVFB_PID" 2>/dev/null
rm -f "$log"
exit $rc
