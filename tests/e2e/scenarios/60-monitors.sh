# Every monitor: /s on an X server with two monitors side by side. Xvfb has one monitor per
# screen, so this runs on Xorg with the dummy driver, given two outputs by xrandr.
near() { local d=$(($1 - $2)); [ ${d#-} -le "$3" ]; }  # near A B TOLERANCE

start_two_monitor_server() {
  [ "$(id -u)" -eq 0 ] || return 1  # Xorg drives a server of its own only for root
  local n
  for _ in $(seq 20); do
    n=$((100 + RANDOM % 800))
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
  done
  Xorg ":$n" -noreset -nolisten tcp -config "$here/dummy-xorg.conf" \
    -logfile "$E2E_WORK/xorg.log" >/dev/null 2>&1 &
  xorg=$!
  for _ in $(seq 50); do
    DISPLAY=":$n" xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
  done
  DISPLAY=":$n" xrandr --addmode DUMMY1 1024x576 &&
    DISPLAY=":$n" xrandr --output DUMMY0 --mode 1280x720 --pos 0x0 \
      --output DUMMY1 --mode 1024x576 --pos 1280x0 || return 1
  two_monitors=":$n"
}

if ! start_two_monitor_server; then
  if [ "$(id -u)" -eq 0 ]; then
    check "monitors: a two-monitor X server starts" false
  else
    echo "skip monitors: Xorg with the dummy driver needs root here"
  fi
else
  saved_display=$DISPLAY
  export DISPLAY=$two_monitors
  check "monitors: the server has two monitors" test "$(xrandr --listmonitors | sed -n 's/Monitors: //p')" -eq 2
  start /s --no-sound --images 0 --stars 400
  pid=$started
  drawing 0 0 1280 720 && drawing 1280 0 1024 576
  screenshot two-monitors
  read -r lx ly <<<"$(probe centre 0 0 1280 720)"
  read -r rx ry <<<"$(probe centre 1280 0 1024 576)"
  check "monitors: the left monitor's stars centre on it ($lx,$ly)" near "$lx" 640 100
  check "monitors: ... and on it vertically" near "$ly" 360 70
  check "monitors: the right monitor's stars centre on it ($rx,$ry)" near "$rx" 1792 100
  check "monitors: ... and on it vertically" near "$ry" 288 60
  check "monitors: one display window per monitor" test "$(xdotool search --name '^Skorvane!$' | wc -l)" -eq 2
  right=$(xdotool search --name '^Skorvane!$' | while read -r w; do
    [ "$(geometry "$w")" = "1024x576" ] && echo "$w"; done | head -n1)
  xdotool mousemove 1700 300
  check "monitors: a key on the second monitor ends the whole display" key_closes "$pid" "$right" x

  start /s --no-sound --images 0 --stars 40 --target-practice
  pid=$started
  drawing 1280 0 1024 576  # activated there: the click is a shot
  probe count-in 400 0 0 1280 720 00FF00 >"$E2E_WORK/green-left" &  # sees the first click
  left_probe=$!
  fired=$(seen_after_click 1800 300 500 count-in 400 1280 0 1024 576 00FF00)
  wait "$left_probe"
  check "monitors: a click on the second monitor fires there ($fired pixels)" test "$fired" -gt 500
  check "monitors: ... and not on the first" test "$(cat "$E2E_WORK/green-left")" -eq 0
  stop_all

  # Monitors that come, go and change size while the display runs.
  windows() { xdotool search --name '^Skorvane!$' 2>/dev/null | wc -l; }
  windows_become() {  # windows_become N: within 3 s
    for _ in $(seq 30); do [ "$(windows)" -eq "$1" ] && return 0; sleep 0.1; done
    return 1
  }
  xrandr --output DUMMY1 --off
  start /s --no-sound --images 0 --stars 400
  pid=$started
  drawing 0 0 1280 720
  check "monitors: one monitor, one display window" windows_become 1
  xrandr --output DUMMY1 --mode 1024x576 --pos 1280x0
  check "monitors: a monitor added while it runs gets a window" windows_become 2
  drawing 1280 0 1024 576
  sleep 1
  screenshot monitor-added
  read -r rx ry <<<"$(probe centre 1280 0 1024 576)"
  check "monitors: ... whose stars centre on it ($rx,$ry)" near "$rx" 1792 100
  check "monitors: ... vertically too" near "$ry" 288 60
  xrandr --output DUMMY1 --off
  check "monitors: a monitor removed loses its window" windows_become 1
  xrandr --addmode DUMMY0 1024x576
  xrandr --output DUMMY0 --mode 1024x576
  sleep 2
  screenshot monitor-shrunk
  only=$(xdotool search --name '^Skorvane!$' | head -n1)
  check "monitors: the window follows its monitor's new size ($(geometry "$only"))" \
    test "$(geometry "$only")" = "1024x576"
  read -r sx sy <<<"$(probe centre 0 0 1024 576)"
  check "monitors: ... and the scene centres on it ($sx,$sy)" near "$sx" 512 80
  check "monitors: ... vertically too" near "$sy" 288 60
  check "monitors: all the while it runs" kill -0 "$pid"
  stop_all
  export DISPLAY=$saved_display
  kill "$xorg" 2>/dev/null
  wait "$xorg" 2>/dev/null
fi
