#!/usr/bin/env bash
# "HWI" from a program folder that cannot be written, as from a disc, a
# read-only mount or an install for all users: the built viewer, run as an
# unprivileged user in a real X window (Xvfb, no window manager), must read
# the medium beside its executable. A click on "1964" must show that year's
# first ad, with no prompt for the CD-ROM.
# Run as root it makes (once) the user kestrun-e2e and runs the viewer as
# that user; run as anyone else it runs the viewer as itself.
# Usage: hwi_readonly.sh KestrunAds make-demo-medium e2e-close OUT
set -uo pipefail
exe="$1"
maker="$2"
closer="$3"
out="$4"
here="$(cd "$(dirname "$0")" && pwd)"
# shellcheck source=tests/e2e/lib.sh
source "$here/lib.sh"
need_tools Xvfb xdotool import compare convert
E2E_USER=kestrun-e2e

as_user=()
if [ "$(id -u)" -eq 0 ]; then
  need_tools setpriv
  if ! id "$E2E_USER" >/dev/null 2>&1; then
    need_tools useradd
    useradd --system --no-create-home --shell /usr/sbin/nologin "$E2E_USER" ||
      die "the user $E2E_USER could not be made"
  fi
  as_user=(setpriv --reuid="$(id -u "$E2E_USER")" --regid="$(id -g "$E2E_USER")" --clear-groups --)
fi
e2e_init

# --- The program folder: the viewer with the medium beside it, read-only.
prog="$work/prog"
XDG_RUNTIME_DIR="$work/runtime" "$maker" "$prog" >/dev/null || die "the demo medium could not be written"
cp "$exe" "$prog/KestrunAds"
chmod -R a+rX,a-w "$prog"
E2E_CLEANUP+=("chmod -R u+w '$prog'")
home="$work/home"
mkdir -p "$home"
if [ "${#as_user[@]}" -gt 0 ]; then
  chown "$E2E_USER:" "$home" "$work/config" "$work/runtime"
  # The folder belongs to root: the user may read it and nothing more.
  "${as_user[@]}" test -w "$prog" && die "$prog is writable for $E2E_USER"
fi
echo "program folder $prog, not writable for $("${as_user[@]}" id -un)"

start_xvfb "$work/xvfb.log" || die "Xvfb did not start"
KESTRUN_DRIVES="" HOME="$home" start_viewer "${as_user[@]}" "$prog/KestrunAds" HWI

step "start with HWI"
runs_as="$(ps -o user= -p "$viewer" 2>/dev/null | tr -d ' ')"
[ "$runs_as" = "$(id -un "$E2E_USER" 2>/dev/null || id -un)" ] || [ "$(id -u)" -ne 0 ] ||
  die "the viewer runs as ${runs_as:-nobody known}, not as $E2E_USER"
main_window
shot start
[ -z "$(windows_named "$TITLE")" ] || fail "a message box is open at start"

step "year 1964"
expect_year_1964 "$prog"
if [ -n "$(windows_named "$TITLE")" ]; then
  fail "year 1964 raised a message box (the CD-ROM prompt)"
  answer_box "" prompt
fi

step "close"
"$closer" "$win" || fail "the main window could not be asked to close"
if wait_ended "$viewer" 100; then
  viewer=""
  [ "$RC" -eq 0 ] || fail "the program ended with code $RC"
else
  fail "the program did not end when its window was closed"
fi

e2e_finish
