# The display window and its exit rules.
settings TargetPractice=False
start /s
pid=$started
id=$(window_named "Skorvane!")
check "the display covers the screen" test "$(geometry "$id")" = "1280x720"
drawing
xdotool mousemove 600 400; sleep 0.3
xdotool mousemove 604 400; sleep 0.3
xdotool mousemove 604 396; sleep 0.3
check "4-pixel moves do not close the display" still_running "$pid"
screenshot display-running
xdotool mousemove 609 396
check "a 5-pixel move closes it, exit code 0" exits_within 3 "$pid" 0

start /s
pid=$started
id=$(window_named "Skorvane!")
drawing
xdotool mousemove 300 300; sleep 0.2
xdotool click 3
check "without target practice a click closes it" exits_within 3 "$pid" 0

settings TargetPractice=True
start /s
pid=$started
id=$(window_named "Skorvane!")
drawing
xdotool mousemove 100 100; sleep 0.2; xdotool mousemove 700 500; sleep 0.2
xdotool click 1; sleep 0.1; xdotool click 2; sleep 0.1; xdotool click 3
check "with target practice moves and clicks do not close it" still_running "$pid"
check "with target practice a key closes it" key_closes "$pid" "$id" space
