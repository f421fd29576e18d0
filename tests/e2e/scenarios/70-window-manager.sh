# Under a window manager with a panel (openbox and tint2): the display covers the panel,
# stays above a window that maps later, keeps the keyboard, and is in no task list. The
# setup dialog's Preview is the same display and gets the same.
topmost() {  # topmost WINDOW: WINDOW is the top child of the root window
  [ "$(xwininfo -root -children | awk '/children:/{getline; print $1; exit}')" = "$(printf '0x%x' "$1")" ]
}
in_task_list() { xprop -root _NET_CLIENT_LIST 2>/dev/null | grep -q "$(printf '0x%x' "$1")"; }

if ! command -v openbox >/dev/null || ! command -v tint2 >/dev/null; then
  check "window manager: openbox and tint2 are installed" false
else
  openbox >"$E2E_WORK/openbox.log" 2>&1 &
  wm=$!
  tint2 >"$E2E_WORK/tint2.log" 2>&1 &
  panel=$!
  sleep 1.5
  screenshot wm-desktop

  hold_checks() {  # hold_checks WHAT WINDOW: the display window holds the screen
    local what=$1 display=$2
    drawing
    check "$what: the display is on top of the panel" topmost "$display"
    check "$what: the display is in no task list" bash -c "$(declare -f in_task_list); ! in_task_list $display"
    sleep 2
    xlogo -geometry 400x300+100+100 2>>"$E2E_WORK/xlogo.log" &
    logo=$!
    sleep 1
    screenshot "wm-${what//\//}-after-map"
    check "$what: a window mapped later stays below it" topmost "$display"
    check "$what: ... and does not show ($(probe count-in 0 100 100 400 300 FFFFFF) white pixels)" \
      test "$(probe count-in 0 100 100 400 300 FFFFFF)" -lt 100
  }

  start /s --no-sound --images 3 --stars 400
  pid=$started
  display=$(window_named "Skorvane!" 5)
  hold_checks "/s" "$display"
  xdotool key x  # no focus given: the grab brings it here
  check "/s: a key still ends the display" exits_within 2 "$pid" 0
  kill "$logo" 2>/dev/null; wait "$logo" 2>/dev/null

  start /c
  pid=$started
  dialog=$(window_named "Skorvane! Screensaver Setup")
  focus "$dialog"
  xdotool key alt+p
  display=$(window_named "Skorvane!" 5)
  hold_checks "preview" "$display"
  xdotool key Escape
  sleep 0.5
  check "preview: a key returns to the dialog" no_window_named "Skorvane!"
  kill "$logo" 2>/dev/null; wait "$logo" 2>/dev/null
  focus "$dialog"
  xdotool key Escape
  check "preview: Esc then cancels the dialog" exits_within 3 "$pid" 0

  kill "$panel" "$wm" 2>/dev/null
  wait "$panel" "$wm" 2>/dev/null
fi

# Another client holds the keyboard when the display starts (a menu that is open, a locker
# letting go): the display takes it once it is free.
probe hold-keyboard 1500 >"$E2E_WORK/held" &
holder=$!
for _ in $(seq 20); do grep -q held "$E2E_WORK/held" && break; sleep 0.05; done
start /s --no-sound --images 3
pid=$started
drawing
wait "$holder"
sleep 0.5  # past the holder's end; the display tries again every 100 ms
xlogo -geometry 100x100+10+10 2>>"$E2E_WORK/xlogo.log" &
logo=$!
sleep 0.5
xdotool search --class xlogo windowfocus 2>/dev/null  # the focus elsewhere: only a grab brings the key
xdotool key x
check "grab: a keyboard held by another client at the start is taken once free" exits_within 2 "$pid" 0
kill "$logo" 2>/dev/null; wait "$logo" 2>/dev/null

# Nothing left behind: with no session bus, no helper process starts, and a signal to the
# process group (as a locker sends when its prompt closes) leaves nothing of ours.
helpers() {  # the session-bus helpers running on this display
  for p in $(pgrep -f 'dbus-launch|dbus-daemon'); do
    tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "DISPLAY=$DISPLAY" && echo "$p"
  done | sort
}
for signal in TERM USR1; do
  before=$(helpers)
  env -u DBUS_SESSION_BUS_ADDRESS setsid "$SKORVANE" /s --no-sound >>"$E2E_WORK/program.log" 2>&1 &
  leader=$!
  drawing
  sleep 1
  others=$(pgrep -g "$leader" | grep -vx "$leader" | tr '\n' ' ')
  started_helpers=$(comm -13 <(echo "$before") <(helpers) | tr '\n' ' ')
  check "no bus, SIG$signal: no process but skorvane runs (${others}${started_helpers})" \
    test -z "${others}${started_helpers// /}"
  kill -"$signal" -- -"$leader"
  sleep 0.5
  check "no bus, SIG$signal: nothing of it is left" bash -c "! pgrep -g $leader >/dev/null"
  wait "$leader" 2>/dev/null
done

# Sound on with no sound device: at most one line about it.
env -u SDL_AUDIODRIVER ALSA_CONFIG_PATH="$E2E_WORK/no-card.conf" \
  "$SKORVANE" /s --sound --target-practice >"$E2E_WORK/no-device.log" 2>&1 &
pid=$!
: >"$E2E_WORK/no-card.conf"
drawing
for _ in 1 2 3; do xdotool mousemove 640 360 click 1; sleep 1.2; done  # each shot opens the device again
kill -TERM "$pid"
wait "$pid" 2>/dev/null
check "no sound device: at most one line on stderr ($(wc -l <"$E2E_WORK/no-device.log"))" \
  test "$(wc -l <"$E2E_WORK/no-device.log")" -le 1
