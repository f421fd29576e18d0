# Target practice: a click on empty sky shows green beams; a click on an image shows the beams
# of a hit converging on it, and it explodes. Beams last two frames: the screen is captured
# again and again while the shot is fired.
settings TargetPractice=True PicCount=15 StarCount=150 PicSelected=0 Sound=False Speed=0 SpinRatio=0.05
start /s
pid=$started
window_named "Skorvane!" >/dev/null
drawing
probe count 400 00FF00 >"$E2E_WORK/green" &
sleep 0.03
xdotool mousemove 3 3 click 1
wait $!
check "a click on empty sky shows the green beams" test "$(cat "$E2E_WORK/green")" -gt 500
screenshot lasers-miss

# Aim at a portrait's green skin near the middle, where the images move slowest. They move
# on while we aim, so a shot may miss: up to eight tries. Automatic fire is held back by the
# clicks, so every beam here is ours.
beams=0
fire=0
for try in $(seq 8); do
  read -r x y < <(probe find 7EBE62 400 200 480 320) || { sleep 0.3; continue; }
  probe count 400 FFFFFF 0000FF FF0000 >"$E2E_WORK/beams" &
  counting=$!
  probe fire 600 $((x - 150)) $((y - 150)) 300 300 >"$E2E_WORK/fire" &
  watching=$!
  xdotool mousemove "$x" "$y" click --delay 0 1
  wait $counting $watching
  beams=$(cat "$E2E_WORK/beams")
  fire=$(cat "$E2E_WORK/fire")
  [ "$beams" -gt 500 ] && [ "$fire" -gt 20 ] && break
  sleep 0.5
done
check "a click on an image shows the beams of a hit" test "$beams" -gt 500
check "the hit image explodes" test "$fire" -gt 20
check "target practice keeps the saver running" still_running "$pid"
stop_all
