# Target practice: a click on empty sky shows green beams; a click on an image shows the beams
# of a hit converging on it, and it explodes. Beams last two frames: the screen is captured
# again and again while the shot is fired.
settings TargetPractice=True PicCount=15 StarCount=150 PicSelected=0 Sound=False Speed=0 SpinRatio=0.05
start /s
pid=$started
window_named "Skorvane!" >/dev/null
drawing
green=$(seen_after_click 3 3 500 count 400 00FF00)
check "a click on empty sky shows the green beams ($green pixels)" test "$green" -gt 500
screenshot lasers-miss

# Aim at a portrait's green skin near the middle, where the images move slowest. They move
# on while we aim, so a shot may miss: up to twelve tries. Automatic fire is held back by the
# clicks, so every beam here is ours.
for try in $(seq 12); do
  fire=0
  probe count 1000 FFFFFF 0000FF FF0000 >"$E2E_WORK/beams" &
  counting=$!
  sleep 0.1  # capturing before the click
  if read -r x y < <(probe aim 7EBE62 400 200 480 320); then
    probe fire 600 $((x - 150)) $((y - 150)) 300 300 >"$E2E_WORK/fire" &
    xdotool mousemove "$x" "$y" click --delay 0 1
    wait $!
    fire=$(cat "$E2E_WORK/fire")
  fi
  wait $counting
  beams=$(cat "$E2E_WORK/beams")
  [ "$beams" -gt 500 ] && [ "$fire" -gt 20 ] && break
  sleep 0.5  # the last miss's beams, or a hit's fire, gone before the next try
done
check "a click on an image shows the beams of a hit" test "$beams" -gt 500
check "the hit image explodes" test "$fire" -gt 20
check "target practice keeps the saver running" still_running "$pid"
stop_all
