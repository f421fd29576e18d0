#!/usr/bin/env bash
# The X server's CPU for each kind of drawing request (bench/server-ops.c), in one Xvfb at
# 1920 x 1080 x 24: a frame every 30 ms of N requests on 32 x 32 blocks, against frames of a
# single fill. Prints the server's % of one core, and what a request and a pixel cost over that.
# usage: bench/measure-server-ops.sh [N] [SECONDS]
# needs: apt-get install xvfb gcc libxcb1-dev libxcb-render0-dev
set -u
N=${1:-200}; WIN=${2:-10}
here=$(cd "$(dirname "$0")" && pwd)
W=$(mktemp -d); trap 'kill $XP 2>/dev/null; rm -rf "$W"' EXIT
gcc -O2 -o "$W/server-ops" "$here/server-ops.c" -lxcb -lxcb-render || exit 2
mkfifo "$W/dfd"; Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$W/dfd" >/dev/null 2>&1 & XP=$!
read -r D <"$W/dfd"; export DISPLAY=:$D
ticks() { awk '{print $14+$15}' "/proc/$1/stat"; }
HZ=$(getconf CLK_TCK)
base=""
for run in "fill 1" "fill $N" "copy $N" "or $N" "mask $N" "picture $N"; do
  # shellcheck disable=SC2086
  "$W/server-ops" $run & P=$!
  sleep 2; x0=$(ticks $XP); sleep "$WIN"; x1=$(ticks $XP); kill $P; wait $P 2>/dev/null
  pct=$(awk -v t=$((x1 - x0)) -v hz="$HZ" -v s="$WIN" 'BEGIN {printf "%.2f", 100 * t / hz / s}')
  [ -z "$base" ] && base=$pct
  awk -v r="$run" -v p="$pct" -v b="$base" 'BEGIN {
    split(r, a, " "); px = (a[1] == "fill") ? 4 : 32 * 32
    per = (a[2] > 1) ? (p - b) / 100 * 1e9 / (a[2] * 1000 / 30) : 0
    printf "%-8s x %4d a frame: X server %5.2f %%;  over one fill a frame: %6.0f ns a request, %5.2f ns a pixel\n", a[1], a[2], p, per, per / px }'
done
