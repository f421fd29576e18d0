#!/usr/bin/env bash
# Runs every scenario in scenarios/ against the real program on a private Xvfb.
# Usage: run_e2e.sh PATH/TO/skorvane E2E_FOLDER PATH/TO/skorvane-test-host PATH/TO/screen-probe
set -u
export SKORVANE="$1" HOST_WINDOW="$3" PROBE="$4"
here="$2"

work=$(mktemp -d /tmp/skorvane-e2e-XXXXXX)
export XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/config" E2E_WORK="$work"
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME"
chmod 700 "$XDG_RUNTIME_DIR"
export SDL_AUDIODRIVER=dummy
export E2E_SHOTS=${E2E_SHOTS:-$work/shots}
mkdir -p "$E2E_SHOTS"

# A private X server on a display nobody uses, away from the low numbers that desktops and
# leftover sockets occupy.
start_xvfb() {
  for _ in $(seq 20); do
    local n=$((100 + RANDOM % 800))
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x720x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    xvfb=$!
    for _ in $(seq 50); do
      DISPLAY=":$n" xdpyinfo >/dev/null 2>&1 && { export DISPLAY=":$n"; return 0; }
      kill -0 $xvfb 2>/dev/null || break
      sleep 0.1
    done
    kill $xvfb 2>/dev/null
  done
  echo "no X server could be started" >&2
  return 1
}
start_xvfb || exit 1
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT

source "$here/lib.sh"
# E2E_ONLY=60-monitors (a glob) runs only those scenarios, for a developer at work on them.
for scenario in "$here"/scenarios/${E2E_ONLY:-*}.sh; do
  echo "== $(basename "$scenario")"
  source "$scenario"
done
finish
status=$?
if [ $status -ne 0 ]; then
  echo '--- program log'
  tail -n 30 "$work/program.log"
  echo "--- X server (display $DISPLAY, $(kill -0 $xvfb 2>/dev/null && echo running || echo gone))"
  tail -n 20 "$work/xvfb.log"
fi
exit $status
