#!/usr/bin/env bash
# The display on a Wayland desktop: a headless sway with two outputs and XWayland, as an
# unprivileged user (sway will not run as root). Prints one line per check, "ok   what" or
# "FAIL what", for the scenario that runs it to count; screenshots go to SHOTS.
#   sway_session.sh SKORVANE HOST_WINDOW SHOTS
set -u
program=$1 host_window=$2 shots=$3
work=$(mktemp -d /tmp/skorvane-sway-XXXXXX)
export XDG_RUNTIME_DIR=$work/run XDG_CONFIG_HOME=$work/config SDL_AUDIODRIVER=dummy
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME"
chmod 700 "$XDG_RUNTIME_DIR"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM XSCREENSAVER_WINDOW
printf 'xwayland enable\noutput HEADLESS-1 resolution 1280x720 position 0 0\n' >"$work/sway.conf"

say() { if "${@:2}"; then echo "ok   $1"; else echo "FAIL $1"; fi; }

WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 sway -c "$work/sway.conf" >"$work/sway.log" 2>&1 &
sway=$!
pids=()
trap 'kill "${pids[@]}" $sway 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do ls "$XDG_RUNTIME_DIR"/wayland-? >/dev/null 2>&1 && break; sleep 0.1; done
WAYLAND_DISPLAY=$(basename "$(ls "$XDG_RUNTIME_DIR"/wayland-? 2>/dev/null | head -n1)")
SWAYSOCK=$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock 2>/dev/null | head -n1)
export WAYLAND_DISPLAY SWAYSOCK XDG_SESSION_TYPE=wayland
if [ -z "$WAYLAND_DISPLAY" ] || [ -z "$SWAYSOCK" ]; then
  echo "FAIL sway started ($(tail -n 3 "$work/sway.log" | tr '\n' ' '))"
  exit 0
fi
swaymsg create_output >/dev/null
swaymsg output HEADLESS-2 resolution 1024x768 position 1280 0 >/dev/null
# XWayland's display, as sway gives it to what it starts.
swaymsg exec "printenv DISPLAY >$work/display" >/dev/null
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
xdisplay=$(cat "$work/display")

shot() { grim -o "$1" "$shots/$2.png"; }
colours() { convert "$shots/$1.png" -format %k info:; }  # distinct colours in a shot
# The share of a shot's pixels in the toolkit's light grey of a dialog, in percent.
dialog_grey() {
  convert "$shots/$1.png" -fill black +opaque '#efefef' -fill white -opaque '#efefef' \
    -format '%[fx:int(100*mean)]' info:
}
ends_within() {  # ends_within SECONDS PID CODE
  for _ in $(seq $(($1 * 10))); do
    kill -0 "$2" 2>/dev/null || { wait "$2"; [ $? -eq "$3" ]; return; }
    sleep 0.1
  done
  return 1
}

# A toplevel of the desktop first, for the display to cover: the setup dialog, native.
env QT_QPA_PLATFORM=wayland "$program" /c >"$work/setup.log" 2>&1 &
setup=$!
pids+=("$setup")
sleep 2
shot HEADLESS-1 sway-before
say "sway: a toplevel shows before the display ($(dialog_grey sway-before)% dialog grey)" \
  test "$(dialog_grey sway-before)" -gt 0

# The dialog's Preview (Alt+P) shows the display on every output; a key ends it, and the
# dialog stays.
wtype -s 1500 -M alt p -m alt
sleep 2
shot HEADLESS-1 sway-preview-1
shot HEADLESS-2 sway-preview-2
say "sway: the dialog's Preview covers both outputs ($(colours sway-preview-1) and $(colours sway-preview-2) colours, $(dialog_grey sway-preview-1)% dialog grey)" \
  test "$(colours sway-preview-1)" -gt 20 -a "$(colours sway-preview-2)" -gt 20 -a "$(dialog_grey sway-preview-1)" -eq 0
wtype -s 1500 x
sleep 1
shot HEADLESS-1 sway-after-preview
say "sway: a key ends the Preview, and the dialog shows again" \
  test "$(dialog_grey sway-after-preview)" -gt 0 -a "$(kill -0 $setup 2>/dev/null && echo y)" = y

"$program" /s >"$work/display.log" 2>&1 &
display=$!
pids+=("$display")
sleep 2.5
shot HEADLESS-1 sway-output-1
shot HEADLESS-2 sway-output-2
for output in 1 2; do
  say "sway: /s draws on output $output ($(colours sway-output-$output) colours)" \
    test "$(colours sway-output-$output)" -gt 20
done
say "sway: /s covers the toplevel ($(dialog_grey sway-output-1)% dialog grey left)" \
  test "$(dialog_grey sway-output-1)" -eq 0

# Outputs that come and go while it runs are followed.
swaymsg output HEADLESS-2 disable >/dev/null
sleep 1
say "sway: /s runs on after an output is switched off" kill -0 "$display"
swaymsg output HEADLESS-2 enable >/dev/null
swaymsg create_output >/dev/null
sleep 2
shot HEADLESS-2 sway-output-2-again
shot HEADLESS-3 sway-output-3
say "sway: ... and draws on it once it is back, and on an output added ($(colours sway-output-2-again) and $(colours sway-output-3) colours)" \
  test "$(colours sway-output-2-again)" -gt 20 -a "$(colours sway-output-3)" -gt 20

"$program" /s >"$work/second.log" 2>&1 &
second=$!
pids+=("$second")
say "sway: a second /s ends at once, status 0" ends_within 3 "$second" 0

# The seat has no keyboard until wtype makes one: the pause lets the display's surface take
# it before the key comes.
wtype -s 1500 x
say "sway: a key ends /s, status 0" ends_within 5 "$display" 0
say "sway: ... and it said nothing ($(head -c 200 "$work/display.log"))" test ! -s "$work/display.log"
kill "$setup" 2>/dev/null

# The modes that name an X11 window draw on X11 through XWayland, with the toolkit's
# Wayland platform there to be picked.
coproc HOST { DISPLAY=$xdisplay "$host_window" 320 240; }
host_pid=$HOST_PID
read -r host <&"${HOST[0]}"
env DISPLAY="$xdisplay" "$program" --window-id "$host" --images 20 >"$work/window-id.log" 2>&1 &
hosted=$!
pids+=("$hosted")
sleep 2.5
DISPLAY=$xdisplay import -window "$host" "$shots/sway-window-id.png" 2>/dev/null
say "sway: --window-id draws into an X host window ($(colours sway-window-id) colours)" \
  test "$(colours sway-window-id)" -gt 20
kill "$hosted"
env DISPLAY="$xdisplay" "$program" /p "$host" >"$work/preview.log" 2>&1 &
preview=$!
pids+=("$preview")
sleep 2
say "sway: /p ID goes inside the X host window" \
  bash -c "DISPLAY=$xdisplay xwininfo -children -id $host | grep -q 'Skorvane! Preview'"
kill "$preview"
exec {HOST[1]}>&-
wait "$host_pid" 2>/dev/null

env DISPLAY="$xdisplay" "$program" --root >"$work/root.log" 2>&1
code=$?
say "sway: --root without a frontend's window exits 1 with one line ($(cat "$work/root.log"))" \
  test $code -eq 1 -a "$(wc -l <"$work/root.log")" -eq 1
