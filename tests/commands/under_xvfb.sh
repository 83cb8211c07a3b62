#!/usr/bin/env bash
# Runs a test program on a virtual X display with the xcb platform; exits 77
# (skipped) where no Xvfb is installed.
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
QT_QPA_PLATFORM=xcb "$@"
rc=$?
kill "$XVFB_PID" 2>/dev/null
wait "$XVFB_PID" 2>/dev/null
rm -f "$log"
exit $rc
