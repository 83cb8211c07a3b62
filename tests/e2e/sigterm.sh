#!/usr/bin/env bash
# The viewer ended from outside while it hides the taskbar, in a real X window
# (Xvfb, no window manager). On an 800 × 600 screen, the only one where the
# "HideStatusBar" command is offered, a desktop panel's dock window is made;
# the command unmaps it; then SIGTERM (and, one run each, SIGHUP and SIGINT)
# to the program must map it again and end the program by that signal,
# without saving the window's geometry (only closing the window does that).
# Screenshots are kept in OUT.
# Usage: sigterm.sh KestrunAds make-demo-medium OUT
set -uo pipefail
exe="$1"
maker="$2"
out="$3"
here="$(cd "$(dirname "$0")" && pwd)"
# shellcheck source=tests/e2e/lib.sh
source "$here/lib.sh"
need_tools Xvfb xdotool xprop xwininfo xmessage import convert
e2e_init
# Background jobs of a script ignore SIGINT unless job control is on, and the
# viewer leaves an ignored signal ignored.
set -m

XDG_RUNTIME_DIR="$work/runtime" "$maker" "$work/cd" >/dev/null || die "the demo medium could not be written"
XVFB_SCREEN=800x600x24 start_xvfb "$work/xvfb.log" || die "Xvfb did not start"
echo "display $DISPLAY"

# The desktop's panel: a window along the bottom of the screen that says it
# is a dock, as panels do.
xmessage -name KestrunDock -geometry 800x24+0+576 "desktop panel" >/dev/null 2>&1 &
dock_pid=$!
E2E_CLEANUP+=('kill "$dock_pid" 2>/dev/null')
# On a busy machine (the suite runs its real-window checks side by side) an
# X client can take seconds to map its first window.
dock=""
for _ in $(seq 300); do
  dock="$(xdotool search --pid "$dock_pid" --name "^KestrunDock" 2>/dev/null | head -n 1)"
  [ -n "$dock" ] && break
  sleep 0.1
done
[ -n "$dock" ] || die "the dock window did not appear"
xprop -id "$dock" -f _NET_WM_WINDOW_TYPE 32a -set _NET_WM_WINDOW_TYPE _NET_WM_WINDOW_TYPE_DOCK

# "IsViewable" or "IsUnMapped".
map_state() { xwininfo -id "$dock" 2>/dev/null | sed -n 's/.*Map State: //p'; }
wait_map_state() {
  for _ in $(seq 50); do
    [ "$(map_state)" = "$1" ] && return 0
    sleep 0.1
  done
  return 1
}

ini="$work/config/KestrunAds/KestrunAds.ini"
for sig in TERM HUP INT; do
  step "HideStatusBar, then SIG$sig"
  rm -rf "$work/config/KestrunAds"
  wait_map_state IsViewable || die "the dock is not mapped before the run (it is $(map_state))"
  KESTRUN_DRIVES="D=$work/cd" start_viewer "$exe"
  win="$(wait_for_window "$CAPTION" 200 "$viewer")"
  if [ -z "$win" ]; then
    fail "SIG$sig: no main window appeared"
    continue
  fi
  eval "$(xdotool getwindowgeometry --shell "$win")"
  # File, Ads List, HideStatusBar, Help.
  if ! click_menu_entry 2 4; then
    fail "SIG$sig: no HideStatusBar command on the menu bar"
  elif ! wait_map_state IsUnMapped; then
    fail "SIG$sig: HideStatusBar left the dock $(map_state)"
  fi
  shot "hidden-before-$sig"
  kill -s "$sig" "$viewer"
  if ! wait_ended "$viewer"; then
    fail "SIG$sig: the program did not end"
    continue
  fi
  viewer=""
  want=$((128 + $(kill -l "$sig")))
  [ "$RC" -eq "$want" ] || fail "SIG$sig: the program ended with code $RC, not by the signal ($want)"
  if wait_map_state IsViewable; then
    echo "SIG$sig: the dock is mapped again, the program ended with code $RC"
  else
    fail "SIG$sig: the dock stayed $(map_state) after the program ended"
  fi
  shot "after-$sig"
  if grep -q '^MainLeft=' "$ini" 2>/dev/null; then
    fail "SIG$sig: the window geometry was saved: $(tr '\n' ' ' <"$ini")"
  fi
done

e2e_finish
