#!/usr/bin/env bash
# Skorvane!.scr end to end under Wine on a virtual X server, as the system's screen saver page
# and a user would use it: /s draws and a key ends it, a second /s ends at once, /c stores on
# Enter and not on Esc, /p goes inside a host and ends with it, the laser's sound reaches a sound
# device, and the version block reads back. Prints "ok"/"FAIL" lines; the status is the
# number of failures.
#   tests/windows/e2e.sh BUILD_DIR     (build-windows/x86_64: the .scr and the helper)
set -uo pipefail
build=$(cd "$1" && pwd)
scr="$build/Skorvane!.scr"
helper="$build/skorvane-win-helper.exe"
work=$(mktemp -d)
passed=0 failed=0

check() {  # check "what" command...
  local what=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
    echo "ok   windows: $what"
  else
    failed=$((failed + 1))
    echo "FAIL windows: $what"
  fi
}

# Wine quiet, non-interactive, in a prefix of our own; its sound into a file through ALSA.
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cat >"$work/asound.conf" <<CONF
pcm.null { type null }
pcm.!default { type file slave.pcm "null" file "$work/sound.raw" format "raw" }
CONF
export ALSA_CONFIG_PATH="$work/asound.conf"
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'wineserver -k 2>/dev/null; kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
[ -d "$WINEPREFIX" ] || wineboot -i >/dev/null 2>&1
key='HKCU\Software\VB and VBA Program Settings\Skorvane Screensaver\Settings'
stored() { wine reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | awk -v k="$1" '$1 == k {print $3}'; }
colours() { import -window root "$work/shot.png" 2>/dev/null && convert "$work/shot.png" -format %k info:; }
window_up() { for _ in $(seq 50); do xdotool search --name "^$1\$" >/dev/null 2>&1 && return 0; sleep 0.2; done; return 1; }
gone() { for _ in $(seq 50); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.2; done; return 1; }
status_of() { wait "$1"; echo $?; }

# /s, with sound and target practice off: stars and portraits fly; the laser fires by itself.
wine reg delete "$key" /f >/dev/null 2>&1
wine reg add "$key" /v Sound /t REG_SZ /d True /f >/dev/null
wine reg add "$key" /v TargetPractice /t REG_SZ /d False /f >/dev/null
wine "$scr" /s >"$work/s.log" 2>&1 &
saver=$!
check "/s opens its window" window_up 'Skorvane!'
sleep 4
n=$(colours)
check "/s draws the starfield ($n colours)" test "${n:-0}" -ge 20
timeout 20 wine "$scr" /s >/dev/null 2>&1
second=$?
check "a second /s ends at once, status 0 ($second)" test "$second" -eq 0
sleep 2
xdotool key a
check "a key ends /s" gone $saver
status=$(status_of $saver)
check "... with status 0 ($status)" test "$status" -eq 0
bytes=$(stat -c %s "$work/sound.raw" 2>/dev/null || echo 0)
distinct=$(od -An -tx1 -v "$work/sound.raw" 2>/dev/null | tr -s ' ' '\n' | sort -u | wc -l)
check "the laser's sound reached the sound device ($bytes bytes, $distinct byte values)" \
  test "$bytes" -gt 4000 -a "$distinct" -gt 16
# Each sound opens the device anew: the file holds the last one, its samples as they are.
media="$(dirname "$0")/../../media/assets"
heard=""
for wave in LASER.WAV LASEREXPLODE.WAV LEXPLODE.WAV; do
  data=$(($(grep -obUa data "$media/$wave" | head -n1 | cut -d: -f1) + 8))
  cmp -s -n "$bytes" <(tail -c +$((data + 1)) "$media/$wave") "$work/sound.raw" && heard=$wave
done
check "... byte for byte the samples of a sound resource (${heard:-none})" test -n "$heard"

# /c: Esc stores nothing; Enter stores the nine values, the typed count brought into range.
wine reg delete "$key" /f >/dev/null 2>&1
wine "$scr" /c >"$work/c.log" 2>&1 &
dialog=$!
check "/c shows the dialog" window_up 'Skorvane! Screensaver Setup'
sleep 1
import -window root "$work/dialog.png" 2>/dev/null
timeout 20 wine "$scr" /c >/dev/null 2>&1
second=$?
check "a second /c ends at once, status 0 ($second)" test "$second" -eq 0
# The keyboard back to the dialog: the second copy's start may have taken it.
xdotool search --name '^Skorvane! Screensaver Setup$' windowfocus 2>/dev/null
sleep 0.5
xdotool key Escape
check "Esc closes the dialog" gone $dialog
check "... and stores nothing" test -z "$(stored StarCount)"
wine "$scr" /c >"$work/c.log" 2>&1 &
dialog=$!
window_up 'Skorvane! Screensaver Setup'
sleep 1
xdotool key Tab Tab Tab  # OK, Defaults, Cancel, then the star count
xdotool type 1200
xdotool key Return
check "Enter closes the dialog" gone $dialog
count=0
for name in StarCount PicCount Speed SpinRatio SpinSwitch PicSelected Sound TargetPractice \
  ShowLasers; do
  [ -n "$(stored $name)" ] && count=$((count + 1))
done
check "... and stores the nine values ($count)" test "$count" -eq 9
check "... the typed 1200 stars as 400 ($(stored StarCount))" test "$(stored StarCount)" = 400

# /p HWND inside a host window of the helper's, which checks it and takes it away.
wine "$helper" host "$scr" >"$work/host.log" 2>&1
while read -r verdict what; do
  check "$what" test "$verdict" = ok
done < <(tr -d '\r' <"$work/host.log" | grep -E '^(ok|FAIL)')

# The version block, as the file's properties show it.
wine "$helper" version "$scr" 2>/dev/null | tr -d '\r' >"$work/version.txt"
check "the version block: FileVersion 1.00" grep -qx 'FileVersion: 1.00' "$work/version.txt"
check "... InternalName Skorvane!" grep -qx 'InternalName: Skorvane!' "$work/version.txt"
check "... OriginalFilename Skorvane!.scr" grep -qx 'OriginalFilename: Skorvane!.scr' "$work/version.txt"

echo "windows e2e: $passed passed, $failed failed"
exit "$failed"
