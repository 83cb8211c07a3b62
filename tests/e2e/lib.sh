# Shared by the end-to-end scripts: a virtual display, the viewer's windows
# found and waited for, message boxes answered, screenshots kept.
# A script sets `out` (where screenshots go) and calls e2e_init before the
# rest; `work` is its scratch folder, `viewer` the running program's pid.
# shellcheck shell=bash

E2E_LIB_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=scripts/xvfb.sh
source "$E2E_LIB_DIR/../../scripts/xvfb.sh"

TITLE="Kestrun Ads: The Marketing of Ruzariz's Zephcar"
CAPTION="Kestrun Ads - The Marketing of Ruzariz's Zephcar v1.10"
# Under Xvfb with no window manager the window sits at its own place with no
# frame, and the menu bar is 19 pixels high above the client area.
MENU_BAR=19
# Largest mean difference (0 to 1) between a screen region and the picture it
# should show; scaling by Qt and by ImageMagick differ by about 0.01.
SAME=0.06

# Ends a run that cannot be done here: skipped (exit 77), but failed in CI,
# which installs every tool and service the runs need, so that no check there
# passes by not running.
skip_or_fail() {
  if [ -n "${CI:-}" ]; then
    echo "FAIL: $* (CI=$CI: nothing may be skipped)"
    exit 1
  fi
  echo "SKIP: $*"
  exit 77
}

# Ends the run unless every tool named is installed (see skip_or_fail).
need_tools() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || skip_or_fail "$tool is not installed; this run cannot run here."
  done
}

viewer=""
E2E_CLEANUP=()
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
die() {
  echo "FAIL: $*"
  echo "--- viewer output"
  cat "$work/viewer.log" 2>/dev/null
  exit 1
}
step() { echo "== $*"; }

e2e_cleanup() {
  local c
  [ -n "$viewer" ] && kill "$viewer" 2>/dev/null
  for c in "${E2E_CLEANUP[@]}"; do eval "$c"; done
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}

# Makes OUT empty and the scratch folder `work` (with config/, data/ and a
# private runtime/ folder, which every program the run starts uses, whatever
# the caller's shell holds), and removes both the program and the display at
# exit.
e2e_init() {
  rm -rf "$out"
  mkdir -p "$out"
  work="$(mktemp -d)"
  chmod 755 "$work"
  mkdir -p "$work/config" "$work/data"
  mkdir -m 700 "$work/runtime"
  export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime"
  unset QT_QPA_PLATFORM
  trap e2e_cleanup EXIT
}

# Ends the run with a summary; exit 1 when any check failed.
e2e_finish() {
  echo "screenshots: $out"
  if [ "$failures" -gt 0 ]; then
    echo "--- viewer output"
    cat "$work/viewer.log" 2>/dev/null
    echo "$failures end-to-end checks failed"
    exit 1
  fi
  echo "every end-to-end check passed"
}

# Waits until process $1 has ended (up to $2 tenths of a second); its exit
# code in RC. False when it is still running.
RC=""
wait_ended() {
  local pid="$1" tries="${2:-100}"
  for _ in $(seq "$tries"); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && return 1
  wait "$pid"
  RC=$?
  return 0
}

shots=0
SHOT=""
# Saves the whole screen as OUT/NN-NAME.png, numbered in order; the file's
# name is left in SHOT.
shot() {
  shots=$((shots + 1))
  SHOT="$(printf '%s/%02d-%s.png' "$out" "$shots" "$1")"
  import -window root "$SHOT" 2>/dev/null
}

# Mean absolute difference (0 to 1) between region GEOMETRY (WxH+X+Y) of a
# screenshot and a picture of that size.
region_diff() {
  convert "$1" -crop "$2" +repage "$work/region.png" 2>/dev/null
  compare -metric MAE "$work/region.png" "$3" null: 2>&1 | sed -n 's/.*(\(.*\)).*/\1/p'
}

below() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }

# Waits until region GEOMETRY shows EXPECTED, closer than to any OTHER
# picture, and keeps that screenshot as NAME.
expect_view() {
  local name="$1" geometry="$2" expected="$3"
  shift 3
  local d="" f other od ok
  for _ in $(seq 40); do
    f="$work/poll.png"
    import -window root "$f" 2>/dev/null
    d="$(region_diff "$f" "$geometry" "$expected")"
    ok=0
    if [ -n "$d" ] && below "$d" "$SAME"; then
      ok=1
      for other in "$@"; do
        od="$(region_diff "$f" "$geometry" "$other")"
        below "$d" "$od" || ok=0
      done
    fi
    [ "$ok" -eq 1 ] && break
    sleep 0.25
  done
  shot "$name"
  if [ "$ok" -eq 1 ]; then
    echo "$name: the view shows $(basename "$expected" .png) (mean difference $d)"
  else
    fail "$name: the view does not show $(basename "$expected" .png) (mean difference ${d:-none}); see $SHOT"
  fi
}

# Clicks "1964" in the main window and expects Image1 to show the first ad
# of the medium in folder $1, stretched, rather than stay black.
expect_year_1964() {
  convert "$1/ads/64tova00.jpg" -resize '443x555!' "$work/ad00-stretched.png"
  convert -size 443x555 xc:black "$work/black.png"
  xdotool mousemove --sync $((cx + 8 + 24 + 36)) $((cy + 16 + 16)) click 1
  expect_view year-1964 "443x555+$((cx + 328))+$cy" "$work/ad00-stretched.png" "$work/black.png"
}

# Visible windows of the viewer whose name starts with $1; all of them,
# named or not, when $1 is empty.
windows_named() {
  if [ -z "$1" ]; then
    xdotool search --onlyvisible --pid "$viewer" 2>/dev/null || true
  else
    xdotool search --all --onlyvisible --pid "$viewer" --name "^$1" 2>/dev/null || true
  fi
}

# Waits up to 10 s for a visible window named $1 other than the ids in $2;
# prints its id.
wait_new_window() {
  local name="$1" old="$2" w
  for _ in $(seq 100); do
    for w in $(windows_named "$name"); do
      grep -qx "$w" <<<"$old" || {
        echo "$w"
        return 0
      }
    done
    kill -0 "$viewer" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

wait_gone() {
  for _ in $(seq 100); do
    xdotool search --onlyvisible --pid "$viewer" 2>/dev/null | grep -qx "$1" || return 0
    sleep 0.1
  done
  return 1
}

# Gives window $1 the keyboard: without a window manager the keyboard
# follows the pointer unless a window is given the focus; a window takes keys
# once it has it.
focus_window() {
  for _ in $(seq 50); do
    xdotool windowfocus "$1" 2>/dev/null
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ] && break
    sleep 0.1
  done
  sleep 0.3
}

# Waits for the next message box of the program (a window other than those
# in $1), keeps a screenshot of it as $2 and answers it with Return, its
# default button. BOX is left with its id, BOX_GEOMETRY with its place on
# the screenshot (WxH+X+Y).
BOX=""
BOX_GEOMETRY=""
answer_box() {
  BOX="$(wait_new_window "$TITLE" "$1")" || return 1
  focus_window "$BOX"
  shot "$2"
  BOX_GEOMETRY="$(xdotool getwindowgeometry --shell "$BOX" 2>/dev/null |
    awk -F= '{ v[$1] = $2 } END { printf "%sx%s+%s+%s", v["WIDTH"], v["HEIGHT"], v["X"], v["Y"] }')"
  xdotool key Return
  wait_gone "$BOX"
}

# The entries of the main window's menu bar (the window at X, Y, WIDTH wide)
# as "FIRST LAST" screen columns, one per line, read off a screenshot:
# columns whose mean over the text rows is darker than the bar, grouped into
# one entry where they lie closer than the gap between two words of one
# caption.
menu_entries() {
  import -window root "$work/bar.png" 2>/dev/null
  convert "$work/bar.png" -crop "${WIDTH}x$((MENU_BAR - 8))+$X+$((Y + 4))" +repage \
    -colorspace gray -scale "${WIDTH}x1!" -depth 8 txt:- 2>/dev/null |
    awk -F'[,:() ]+' -v x0="$X" 'NR == 1 { next }
      { gray[$1] = $4 + 0; if ($4 + 0 > bar) bar = $4 + 0 }
      END {
        for (x = 0; x in gray; x++) {
          if (gray[x] < bar - 12) {
            if (first == "" || x - last > 7) {
              if (first != "") print first + x0, last + x0
              first = x
            }
            last = x
          }
        }
        if (first != "") print first + x0, last + x0
      }'
}

# Clicks entry $1 (from 0) of the menu bar when the bar shows $2 entries.
click_menu_entry() {
  local entries first last
  mapfile -t entries < <(menu_entries)
  if [ "${#entries[@]}" -ne "$2" ]; then
    echo "the menu bar shows ${#entries[@]} entries, not $2: ${entries[*]}" >&2
    return 1
  fi
  read -r first last <<<"${entries[$1]}"
  xdotool mousemove --sync $(((first + last) / 2)) $((Y + MENU_BAR / 2)) click 1
}

# Starts the viewer in the background with its own settings and runtime
# folders: start_viewer EXE [ARGS...]; the environment given before the call
# (KESTRUN_DRIVES, …) goes with it. Output goes to work/viewer.log.
start_viewer() {
  XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb \
    "$@" >>"$work/viewer.log" 2>&1 &
  viewer=$!
}

# Waits for the viewer's main window and ends the run when none appears;
# sets win, its X, Y, WIDTH, HEIGHT, and cx, cy, the client area's origin on
# the screen (below the menu bar; no window manager).
main_window() {
  win="$(wait_for_window "$CAPTION" 200 "$viewer")"
  [ -n "$win" ] || die "no main window appeared"
  eval "$(xdotool getwindowgeometry --shell "$win")"
  cx=$X
  cy=$((Y + MENU_BAR))
}
