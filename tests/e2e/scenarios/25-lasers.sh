# Target practice: a click on empty sky shows green beams; a click on an image shows white
# beams converging on it, and it explodes. Beams last two frames: captures run in a burst.
settings TargetPractice=True PicCount=15 StarCount=150 PicSelected=0 Sound=False Speed=0 SpinRatio=0.05
start /s
pid=$started
window_named "Skorvane!" >/dev/null
sleep 1.5
burst miss 12 &
sleep 0.05
xdotool mousemove 3 3 click 1
wait $!
check "a click on empty sky shows the green beams" test "$(most_pixels_of miss 12 '#00FF00')" -gt 500

# Aim at a portrait's green skin, found on a capture of the middle of the screen, where the
# images move slowest; the images are slowed further by a small arc ratio. Up to five tries.
for try in 1 2 3 4 5; do
  xwd -root -silent >"$E2E_WORK/aim.xwd"
  target=$(convert "$E2E_WORK/aim.xwd" -crop 480x320+400+200 txt:- | grep -i '#7EBE62' |
    awk -F'[,:]' 'NR == 1 { print $1 + 400, $2 + 200 + 4 }')
  [ -n "$target" ] || { sleep 0.2; continue; }
  burst hit 12 &
  sleep 0.03
  xdotool mousemove $target click 1
  wait $!
  [ "$(most_pixels_of hit 12 '#FFFFFF')" -gt 500 ] && break
  sleep 0.3
done
check "a click on an image shows the white beams of a hit" test "$(most_pixels_of hit 12 '#FFFFFF')" -gt 500
fire=0
for i in $(seq 12); do n=$(fiery_pixels "$E2E_SHOTS/hit-$i.png"); [ "$n" -gt "$fire" ] && fire=$n; done
check "the hit image explodes" test "$fire" -gt 20
check "target practice keeps the saver running" still_running "$pid"
stop_all
