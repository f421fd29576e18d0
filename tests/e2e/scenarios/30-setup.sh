# The setup dialog, as a user types into it.
settings StarCount=150 PicCount=15
start /c
pid=$started
id=$(window_named "Skorvane! Screensaver Setup")
check "the dialog has its client size" test "$(geometry "$id")" = "351x352"
screenshot setup-dialog
focus "$id"
# Focus starts on OK; Tab goes to Defaults, Cancel, the star count, the image count.
xdotool key Tab Tab Tab ctrl+a
xdotool type 250
xdotool key Tab ctrl+a
xdotool type 33
sleep 0.2
xdotool key alt+o
check "Alt+O stores and closes" exits_within 3 "$pid" 0
check "the typed star count is stored" test "$(stored StarCount)" = 250
check "the typed image count is stored" test "$(stored PicCount)" = 33

start /c
pid=$started
id=$(window_named "Skorvane! Screensaver Setup")
check "a second /c ends at once" run_exits_within 2 /c
focus "$id"
xdotool key alt+p
display=$(window_named "Skorvane!" 5)
check "Preview opens the full-screen display" test "$(geometry "$display")" = "1280x720"
check "/s ends at once while the preview runs" run_exits_within 2 /s
sleep 1.5
focus "$display"
xdotool key Escape
sleep 0.5
check "a key returns to the dialog" no_window_named "Skorvane!"
check "the dialog is still open" still_running "$pid"
focus "$id"
xdotool key alt+p
display=$(window_named "Skorvane!" 5)
sleep 1.5
check "a second Preview shows the display again, drawing" test "$(probe count 0 7EBE62)" -gt 100
check "and a key returns from it again" key_closes_window "$display" Escape
focus "$id"
xdotool key alt+c
check "Cancel closes the dialog" exits_within 3 "$pid" 0
