# In a Wayland session (WAYLAND_DISPLAY set, X11 beside it through DISPLAY), the modes that
# name an X11 window still draw into it, whatever platform the toolkit would pick; without an
# X display, or without a frontend's window to draw into, they say so and end.
colours_in() {  # colours_in SHOT W H X Y: the distinct colours in that area of the shot
  convert "$E2E_SHOTS/$1.png" -crop "$2x$3+$4+$5" +repage -format %k info:
}
# env runs the program in its own place: $! is the program's pid.
as_wayland=(env WAYLAND_DISPLAY=wayland-none XDG_SESSION_TYPE=wayland QT_QPA_PLATFORM=wayland)

coproc WHOST { "$HOST_WINDOW" 320 240; }
whost_pid=$WHOST_PID
read -r whost <&"${WHOST[0]}"
"${as_wayland[@]}" "$SKORVANE" --window-id "$whost" --images 20 >>"$E2E_WORK/program.log" 2>&1 &
pid=$!
pids+=("$pid")
drawing 40 40 320 240
sleep 1.5  # the host's own background is lit too: give the scene time to fill it
screenshot wayland-window-id
check "wayland session: --window-id draws into the X host ($(colours_in wayland-window-id 320 240 40 40) colours)" \
  test "$(colours_in wayland-window-id 320 240 40 40)" -gt 20
kill "$pid"; wait "$pid" 2>/dev/null

"${as_wayland[@]}" "$SKORVANE" /p "$whost" >>"$E2E_WORK/program.log" 2>&1 &
pid=$!
pids+=("$pid")
sleep 1.5
screenshot wayland-preview
check "wayland session: /p ID runs" kill -0 "$pid"
check "wayland session: ... its window a child of the X host" \
  bash -c "xwininfo -children -id $whost | grep -q 'Skorvane! Preview'"
kill "$pid"; wait "$pid" 2>/dev/null
exec {WHOST[1]}>&-
wait "$whost_pid" 2>/dev/null

env -u XSCREENSAVER_WINDOW WAYLAND_DISPLAY=wayland-none "$SKORVANE" --root >"$E2E_WORK/w-root.log" 2>&1
code=$?
check "wayland session: --root without a frontend's window exits 1 with one line ($(cat "$E2E_WORK/w-root.log"))" \
  test $code -eq 1 -a "$(wc -l <"$E2E_WORK/w-root.log")" -eq 1
for mode in "--window-id 0x200000" "--root" "/p 1234"; do
  # shellcheck disable=SC2086
  env -u DISPLAY WAYLAND_DISPLAY=wayland-none "$SKORVANE" $mode >"$E2E_WORK/no-x.log" 2>&1
  code=$?
  check "no X display: '$mode' exits 1 with one line" \
    test $code -eq 1 -a "$(grep -c 'no X display' "$E2E_WORK/no-x.log")" -eq 1 -a "$(wc -l <"$E2E_WORK/no-x.log")" -eq 1
done
