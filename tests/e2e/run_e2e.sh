#!/usr/bin/env bash
# Runs every scenario in scenarios/ against the real program on a private Xvfb.
# Usage: run_e2e.sh PATH/TO/skorvane E2E_FOLDER PATH/TO/skorvane-test-host
set -u
export SKORVANE="$1" HOST_WINDOW="$3"
here="$2"

work=$(mktemp -d /tmp/skorvane-e2e-XXXXXX)
export XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/config" E2E_WORK="$work"
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME"
chmod 700 "$XDG_RUNTIME_DIR"
export SDL_AUDIODRIVER=dummy
export E2E_SHOTS=${E2E_SHOTS:-$work/shots}
mkdir -p "$E2E_SHOTS"

# Xvfb picks a free display itself and tells us its number once it is ready for clients.
Xvfb -displayfd 3 -screen 0 1280x720x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -n1 "$work/display")
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT

source "$here/lib.sh"
for scenario in "$here"/scenarios/*.sh; do
  echo "== $(basename "$scenario")"
  source "$scenario"
done
finish
status=$?
[ $status -eq 0 ] || { echo '--- program log'; tail -n 30 "$work/program.log"; }
exit $status
