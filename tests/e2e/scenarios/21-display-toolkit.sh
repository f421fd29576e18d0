# The display painted through the toolkit, as on an X server without shared memory: it still
# draws the scene, leaves no trails and closes by the same rules.
settings TargetPractice=False PicCount=15 StarCount=150
SKORVANE_PRESENT=toolkit start /s
pid=$started
id=$(window_named "Skorvane!")
drawing
check "painting through the toolkit shows the portraits" test "$(probe count 0 7EBE62)" -gt 100
check "a key closes it" key_closes "$pid" "$id" x
