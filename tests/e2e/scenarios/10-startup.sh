# Mode dispatch and the second-copy rules, with the real program.
shows() { window_named "$1" >/dev/null; }  # a window with this caption, quietly
for args in /a -s x s; do
  check "'$args' opens nothing and exits 0 at once" run_exits_within 1 "$args"
done
check "no window was opened" no_window_named "Skorvane!"

start /s
display_pid=$started
check "/s opens a window titled Skorvane!" shows "Skorvane!"
check "a second /s ends at once" run_exits_within 2 /s
start /c
setup_pid=$started
check "/c opens the setup dialog while a display runs" shows "Skorvane! Screensaver Setup"
check "a second /c ends at once" run_exits_within 2 /c
check "/p ends at once while another copy runs" run_exits_within 2 /p
stop_all

start /s
display_pid=$started
id=$(window_named "Skorvane!")
check "a key closes the display and the program exits 0" key_closes "$display_pid" "$id" x

start /s
killed=$started
window_named "Skorvane!" >/dev/null
kill -9 "$killed"; wait "$killed" 2>/dev/null
start /s
check "a copy killed with -9 does not block the next start" shows "Skorvane!"
stop_all
