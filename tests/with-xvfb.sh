#!/usr/bin/env bash
# Runs a command under an X server of its own (Xvfb, 800x600x24), on a display number the
# server picks itself, so that runs side by side never race for one.
#   tests/with-xvfb.sh COMMAND [ARGS...]
set -u
work=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || { echo "Xvfb did not start:" >&2; cat "$work/xvfb.log" >&2; exit 1; }
DISPLAY=:$(head -n1 "$work/display") "$@"
