#!/usr/bin/env bash
# The screensaver on a Wayland desktop, natively (layer surfaces and shared-memory buffers of
# our own) and through XWayland (the X11 path), in one sitting: sway
# headless with one 1920x1080 output, the default scene (150 stars, 15 images, target practice
# off), each way for SECONDS. Prints, a line each: CPU of the program, of the compositor and of
# XWayland (% of one core), their sum, the program's peak RSS, and the frame intervals' 99th
# percentile and maximum.
#   bench/measure-wayland.sh [SECONDS] [ROUNDS]
# needs: apt-get install sway xwayland qt6-wayland. sway refuses to run as root: as root, the
# script runs itself as the user skorvane-bench, whom it creates.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
rounds=${2:-1}
user=skorvane-bench

if [ "$(id -u)" -eq 0 ]; then
  id "$user" >/dev/null 2>&1 || useradd --system --create-home "$user"
  copy=$(mktemp -d /tmp/skorvane-wayland-XXXXXX)
  cp build/skorvane bench/measure-wayland.sh "$copy/"
  chown -R "$user" "$copy"
  su "$user" -s /bin/bash -c "cd '$copy' && SKORVANE='$copy/skorvane' bash '$copy/measure-wayland.sh' $seconds $rounds"
  status=$?
  rm -rf "$copy"
  exit $status
fi

program=${SKORVANE:-$PWD/build/skorvane}
work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work/run XDG_CONFIG_HOME=$work/config SDL_AUDIODRIVER=dummy
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME"
chmod 700 "$XDG_RUNTIME_DIR"
printf '[Settings]\nStarCount=150\nPicCount=15\nTargetPractice=False\nSound=False\n' \
  >"$XDG_CONFIG_HOME/Skorvane Screensaver.ini"
printf 'xwayland enable\noutput HEADLESS-1 resolution 1920x1080 position 0 0\n' >"$work/sway.conf"

WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 sway -c "$work/sway.conf" >"$work/sway.log" 2>&1 &
sway=$!
trap 'kill $sway 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do ls "$XDG_RUNTIME_DIR"/wayland-* >/dev/null 2>&1 && break; sleep 0.1; done
export WAYLAND_DISPLAY
WAYLAND_DISPLAY=$(basename "$(ls "$XDG_RUNTIME_DIR"/wayland-? | head -n1)")
export SWAYSOCK
SWAYSOCK=$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock | head -n1)
# XWayland's display, as sway gives it to what it runs.
swaymsg exec "printenv DISPLAY >$work/display" >/dev/null
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
xdisplay=$(cat "$work/display")

ticks() { [ -n "$1" ] && awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0; }
xwayland() { pgrep -u "$(id -u)" -x Xwayland | head -n1 || true; }  # none until its first client
hz=$(getconf CLK_TCK)

run() {  # run LABEL ENV...: the program /s with that environment, measured
  local label=$1
  shift
  env "$@" SKORVANE_FRAME_LOG="$work/frames.log" "$program" /s >"$work/program.log" 2>&1 &
  local app=$!
  sleep 3
  local xw a0 s0 x0 a1 s1 x1 rss
  xw=$(xwayland)
  a0=$(ticks $app) s0=$(ticks $sway) x0=$(ticks "$xw")
  sleep "$seconds"
  a1=$(ticks $app) s1=$(ticks $sway) x1=$(ticks "$xw")
  rss=$(awk '/VmHWM/{print $2}' "/proc/$app/status")
  kill $app
  wait $app 2>/dev/null || true
  local p99 max
  p99=$(sort -n "$work/frames.log" | awk '{v[NR]=$1} END {print v[int(NR*0.99)]}')
  max=$(sort -n "$work/frames.log" | tail -n1)
  awk -v l="$label" -v a=$((a1 - a0)) -v s=$((s1 - s0)) -v x=$((x1 - x0)) -v hz="$hz" \
    -v t="$seconds" -v r="$rss" -v p="$p99" -v m="$max" 'BEGIN {printf "%-9s program %5.2f%%  sway %5.2f%%  Xwayland %5.2f%%  sum %5.2f%%  peak RSS %6d kB  frames p99 %s max %s ms\n",
      l, 100*a/hz/t, 100*s/hz/t, 100*x/hz/t, 100*(a+s+x)/hz/t, r, p, m}'
}

for _ in $(seq "$rounds"); do
  run native -u DISPLAY
  run xwayland -u WAYLAND_DISPLAY DISPLAY="$xdisplay" QT_QPA_PLATFORM=xcb
done
