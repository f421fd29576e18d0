# High density: where the toolkit asks for two device pixels a point, the scene is drawn at
# scale 2: every scene pixel a 2 x 2 square of the screen, beams twice as wide.
green_of_a_miss() {  # green_of_a_miss: the most beam-green pixels seen while a miss is shown
  start /s --no-sound --images 0 --stars 40 --target-practice
  window_named "Skorvane!" >/dev/null
  drawing  # activated: the click is a shot, not input held for later
  seen_after_click 900 500 500 count 400 00FF00
  stop_all
}

QT_SCALE_FACTOR=2 start /s --no-sound --images 20 --stars 400
window_named "Skorvane!" >/dev/null
drawing
screenshot hidpi
read -r lit odd <<<"$(probe squares 2 0 0 1280 720)"
check "hidpi: the scene is drawn ($lit lit pixels)" test "$lit" -gt 2000
check "hidpi: ... in whole 2 x 2 squares ($odd odd pixels)" test "$odd" -eq 0
stop_all

green1=$(green_of_a_miss)
green2=$(QT_SCALE_FACTOR=2 green_of_a_miss)
check "hidpi: the beams are twice as wide ($green1 then $green2 pixels)" \
  test "$green2" -gt $((green1 * 17 / 10)) -a "$green2" -lt $((green1 * 23 / 10))
