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
  "$SKORVANE" "$@" >>"$E2E_WORK/program.log" 2>&1 &
  started=$!
  pids+=("$started")
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
  for _ in $(seq $((seconds * 20))); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid"
      [ $? -eq "$code" ]
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

burst() {  # burst NAME COUNT: COUNT screen captures in a row, as NAME-1.png ...; in the background
  local name=$1 count=$2
  for i in $(seq "$count"); do xwd -root -silent >"$E2E_WORK/$name-$i.xwd"; done
  for i in $(seq "$count"); do convert "$E2E_WORK/$name-$i.xwd" "$E2E_SHOTS/$name-$i.png"; done
}

pixels_of() {  # pixels_of FILE #RRGGBB: how many pixels of exactly that colour
  convert "$1" txt:- | grep -ic "$2"
}

most_pixels_of() {  # most_pixels_of NAME COUNT #RRGGBB: the most of that colour in one capture
  local best=0 n
  for i in $(seq "$2"); do
    n=$(pixels_of "$E2E_SHOTS/$1-$i.png" "$3")
    [ "$n" -gt "$best" ] && best=$n
  done
  echo "$best"
}

fiery_pixels() {  # fiery_pixels FILE: pixels of full red with some green: only fire has them
  convert "$1" txt:- | awk '{ gsub(/[()]/, "", $2); split($2, c, ",");
    if (c[1] == 255 && c[2] >= 90 && c[2] <= 250 && c[3] < 200) n++ } END { print n + 0 }'
}
