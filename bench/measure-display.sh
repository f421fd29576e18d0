#!/usr/bin/env bash
# Runs the real screensaver under Xvfb at 1920x1080 and reports what it costs: CPU of the
# program and of the X server, the distribution of the intervals between frames, how often
# each of the program's threads wakes (voluntary context switches a second), and peak RSS.
#   bench/measure-display.sh [default|full] [SECONDS]
# SIZE=3840x2160 (say) runs it on a screen of that size; SOUND=True with sound on.
# default: 15 images, 150 stars; full: 100 images, 400 stars. Target practice off, so
# automatic fire runs from the start.
set -euo pipefail
cd "$(dirname "$0")/.."
scene=${1:-default}
seconds=${2:-20}
program=build/skorvane
work=$(mktemp -d)
trap 'kill $app 2>/dev/null; sleep 0.2; kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT

case $scene in
  default) counts="StarCount=150
PicCount=15" ;;
  full) counts="StarCount=400
PicCount=100" ;;
  *) echo "scene: default or full" >&2; exit 2 ;;
esac
mkdir -p "$work/config" "$work/run"
chmod 700 "$work/run"
printf '[Settings]\n%s\nTargetPractice=False\nSound=%s\n' "$counts" "${SOUND:-False}" >"$work/config/Skorvane Screensaver.ini"

size=${SIZE:-1920x1080}
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -n1 "$work/display")

ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
switches() {  # one line a thread: name and voluntary context switches so far
  for task in /proc/"$1"/task/*; do
    printf '%s %s\n' "$(tr ' ' _ <"$task/comm")" "$(awk '/^voluntary_ctxt_switches/{print $2}' "$task/status")"
  done
}
start_ns=$(date +%s%N)
XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" SDL_AUDIODRIVER=dummy \
  SKORVANE_FRAME_LOG="$work/frames" "$program" /s &
app=$!
# The log's first line is written at the second frame, one frame period after the first.
for _ in $(seq 300); do [ -s "$work/frames" ] && break; sleep 0.005; done
first_ms=$((($(date +%s%N) - start_ns) / 1000000 - 30))
sleep 3  # past the activation
: >"$work/frames.start"
lines_before=$(wc -l <"$work/frames")
app_before=$(ticks $app)
x_before=$(ticks $xvfb)
switches $app >"$work/switches.before"
sleep "$seconds"
app_after=$(ticks $app)
x_after=$(ticks $xvfb)
switches $app >"$work/switches.after"
peak=$(awk '/^VmHWM/{print $2}' "/proc/$app/status")
hz=$(getconf CLK_TCK)

tail -n +"$((lines_before + 1))" "$work/frames" | sort -n >"$work/sorted"
count=$(wc -l <"$work/sorted")
pick() { sed -n "$(( ($1 * count + 99) / 100 ))p" "$work/sorted"; }
echo "scene: $scene, ${seconds} s at $size"
awk -v a=$((app_after - app_before)) -v x=$((x_after - x_before)) -v hz="$hz" -v s="$seconds" \
  'BEGIN { printf "CPU: program %.2f%%, X server %.2f%% (of one core)\n", 100*a/hz/s, 100*x/hz/s }'
echo "start to first frame: about $first_ms ms"
echo "frames: $count ($(awk -v c="$count" -v s="$seconds" 'BEGIN{printf "%.1f", c/s}') a second)"
echo "frame interval ms: median $(pick 50), p99 $(pick 99), max $(tail -n1 "$work/sorted")"
echo "wake-ups a second (voluntary context switches, by thread):"
join <(sort "$work/switches.before") <(sort "$work/switches.after") |
  awk -v s="$seconds" '{printf "  %-16s %6.1f\n", $1, ($3 - $2) / s}'
echo "peak RSS: $((peak / 1024)) MiB ($peak kB)"
