# Helpers for the end-to-end scenarios: start the program, look for its windows, check.
passed=0
failed=0
pids=()

check() {  # check "what" command...
  local what=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
    echo "ok   $what"
  else
    failed=$((failed + 1))
    echo "FAIL $what"
  fi
}

start() {  # start ARGS...: runs the program in the background; its pid in $started
  # Now and then a fresh client of this Xvfb is refused its connection; that start is tried
  # again (and said in the log), so a refusal of the test's X server is not taken for a fault.
  for attempt in 1 2 3; do
    : >"$E2E_WORK/start.log"
    "$SKORVANE" "$@" >"$E2E_WORK/start.log" 2>&1 &  # inherits SKORVANE_PRESENT etc.
    started=$!
    sleep 0.3
    grep -q "could not connect to display" "$E2E_WORK/start.log" || break
    echo "note: X server refused a connection; starting '$*' again" >>"$E2E_WORK/program.log"
  done
  pids+=("$started")
  ( tail -f --pid="$started" "$E2E_WORK/start.log" >>"$E2E_WORK/program.log" 2>/dev/null & )
}

window_named() {  # window_named CAPTION [SECONDS]: prints the id of a window titled exactly CAPTION
  local caption=$1 seconds=${2:-5} id
  for _ in $(seq $((seconds * 10))); do
    id=$(xdotool search --name "^$(printf '%s' "$caption" | sed 's/[]!.*^$[]/\\&/g')\$" 2>/dev/null | head -n1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

no_window_named() { ! window_named "$1" "${2:-1}" >/dev/null; }

exits_within() {  # exits_within SECONDS PID [CODE]: the process ends in time (with CODE)
  local seconds=$1 pid=$2 code=${3:-0}
  ended_with=running  # how it ended, for a check's label
  for _ in $(seq $((seconds * 20))); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid"
      ended_with=$?
      [ "$ended_with" -eq "$code" ]
      return
    fi
    sleep 0.05
  done
  return 1
}

still_running() { sleep "${2:-0.5}"; kill -0 "$1" 2>/dev/null; }

run_exits_within() {  # run_exits_within SECONDS ARGS...: runs in the foreground; ends, code 0
  local seconds=$1
  shift
  timeout "$seconds" "$SKORVANE" "$@" >>"$E2E_WORK/program.log" 2>&1
}

focus() {
  [ -n "$1" ] || return 1
  timeout 5 xdotool windowfocus --sync "$1" 2>/dev/null || timeout 5 xdotool windowfocus "$1"
  sleep 0.2
}

key_closes() {  # key_closes PID WINDOW KEY: the key reaches the window and it ends, exit 0
  local pid=$1 window=$2 key=$3
  for _ in 1 2 3; do
    focus "$window"
    xdotool key "$key"
    exits_within 2 "$pid" 0 && return 0
    kill -0 "$pid" 2>/dev/null || return 1  # ended, but not with 0
  done
  return 1
}

key_closes_window() {  # key_closes_window WINDOW KEY: the key makes that window go
  for _ in 1 2 3; do
    focus "$1"
    xdotool key "$2"
    sleep 0.5
    xdotool getwindowname "$1" >/dev/null 2>&1 || return 0
    xwininfo -id "$1" 2>/dev/null | grep -q IsViewable || return 0
  done
  return 1
}

stop_all() {
  for pid in "${pids[@]}"; do kill -9 "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; done
  pids=()
}

finish() {
  stop_all
  echo "e2e: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}

settings() {  # settings KEY=VALUE...: writes the settings file with these keys
  printf '[Settings]\n' >"$XDG_CONFIG_HOME/Skorvane Screensaver.ini"
  printf '%s\n' "$@" >>"$XDG_CONFIG_HOME/Skorvane Screensaver.ini"
}

stored() {  # stored KEY: the value of KEY in the settings file
  sed -n "s/^$1=//p" "$XDG_CONFIG_HOME/Skorvane Screensaver.ini"
}

geometry() { xdotool getwindowgeometry "$1" | sed -n 's/.*Geometry: //p'; }

screenshot() { import -window root "$E2E_SHOTS/$1.png" 2>/dev/null; }

probe() { "$PROBE" "$@"; }

drawing() {  # drawing [X Y W H]: waits up to 5 s for lit pixels in the area (the display runs)
  local area=("${@:-0}")
  [ $# -eq 4 ] || area=(0 0 "$(xdpyinfo | awk '/dimensions:/{split($2, d, "x"); print d[1], d[2]}')")
  for _ in $(seq 100); do
    # shellcheck disable=SC2068
    probe centre ${area[@]} >/dev/null 2>&1 && return 0
    sleep 0.05
  done
  return 1
}

seen_after_click() {  # seen_after_click X Y MORE_THAN PROBE-ARGS...: the most the probe saw
  # while a click at X Y was shown. A shot's beams last two frames, and on a loaded machine the
  # probe's captures can miss them: up to four clicks, until it sees more than MORE_THAN.
  local x=$1 y=$2 more_than=$3 seen=0
  shift 3
  for _ in 1 2 3 4; do
    probe "$@" >"$E2E_WORK/seen" &
    local watching=$!
    sleep 0.1  # connected and capturing before the click
    xdotool mousemove "$x" "$y" click 1
    wait "$watching"
    seen=$(cat "$E2E_WORK/seen")
    [ "$seen" -gt "$more_than" ] && break
  done
  echo "$seen"
}

none_within() {  # none_within SECONDS PATTERN: no live process matches PATTERN within SECONDS
  for _ in $(seq $(($1 * 20))); do
    ps -eo stat=,args= | grep -v '^Z' | grep -q -- "$2" || return 0
    sleep 0.05
  done
  return 1
}
