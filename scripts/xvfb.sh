# Starts a virtual X display on a free number (screen XVFB_SCREEN, by default
# 1024x768x24); sets XVFB_PID and DISPLAY.
# Usage: start_xvfb LOGFILE
start_xvfb() {
  local log="$1" fifo
  fifo="$(mktemp -u)"
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1024x768x24}" -nolisten tcp 3>"$fifo" >"$log" 2>&1 &
  XVFB_PID=$!
  local number=""
  read -r -t 20 number <"$fifo" || true
  rm -f "$fifo"
  if [ -z "$number" ]; then
    echo "Xvfb did not start:" >&2
    cat "$log" >&2
    return 1
  fi
  export DISPLAY=":$number"
}

# Prints the id of the first window whose name starts with $1, waiting up to
# $2 tenths of a second; empty when none appeared or process $3 ended.
wait_for_window() {
  local name="$1" tries="$2" pid="$3" win=""
  for _ in $(seq "$tries"); do
    win="$(xdotool search --name "^$name" 2>/dev/null | head -n 1 || true)"
    [ -n "$win" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  echo "$win"
}
