# The preview inside a host window, and on its own.
coproc HOST { "$HOST_WINDOW" 320 240; }
host_pid=$HOST_PID  # bash forgets HOST_PID once the host has ended
read -r host <&"${HOST[0]}"
start /p "$host"
pid=$started
sleep 1.5
preview=$(window_named "Skorvane! Preview")
check "the preview fills its host" test "$(geometry "$preview")" = "320x240"
check "the preview's parent is the host" bash -c "xwininfo -id $preview -children | grep -q \"Parent window id: $(printf '0x%x' "$host")\""
screenshot preview-in-host
echo "400 300" >&"${HOST[1]}"
sleep 0.5
check "the preview follows its host's size" test "$(geometry "$preview")" = "400x300"
exec {HOST[1]}>&-
wait "$host_pid" 2>/dev/null
check "destroying the host ends the program within a second" exits_within 1 "$pid" 0

start /p
pid=$started
preview=$(window_named "Skorvane! Preview")
check "/p alone gives a window of its own" test -n "$preview"
stop_all
start /p 12345
pid=$started
preview=$(window_named "Skorvane! Preview")
check "/p with no such window gives a window of its own" test -n "$preview"
screenshot preview-alone
stop_all
