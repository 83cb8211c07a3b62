#!/usr/bin/env bash
# Runs a test program on a virtual X display with the xcb platform; exits 77
# (skipped) where no Xvfb is installed, and fails so in CI. With
# KESTRUN_WM=openbox a window manager that draws frames runs on the display
# too.
set -uo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
# shellcheck source=tests/e2e/lib.sh
source "$top/tests/e2e/lib.sh"
need_tools Xvfb
[ "${KESTRUN_WM:-}" = openbox ] && need_tools openbox xprop
log="$(mktemp)"
if ! start_xvfb "$log"; then
  rm -f "$log"
  skip_or_fail "Xvfb did not start"
fi
wm=""
if [ "${KESTRUN_WM:-}" = openbox ]; then
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
