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

display=:$((90 + RANDOM % 400))
Xvfb "$display" -screen 0 1280x720x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT

source "$here/lib.sh"
for scenario in "$here"/scenarios/*.sh; do
  echo "== $(basename "$scenario")"
  source "$scenario"
done
finish
