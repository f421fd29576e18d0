# Frontend mode: the live display inside a window of a frontend's, options, signals, and the
# real XScreenSaver daemon running the installed hack.
colours() {  # colours SHOT W H X Y: the number of distinct colours in that area of the shot
  convert "$E2E_SHOTS/$1.png" -crop "$2x$3+$4+$5" +repage -format %k info:
}
# signal_ends SIGNAL PID STATUS: the signal ends the process at once, by that signal; the
# time it took in $took. It takes 10 to 50 ms here; the bound is loose because on a loaded
# machine the polling and the clock's own processes add their share, while a program that waits
# for its sound device to drain or for a thread to join takes seconds, not tenths.
signal_ends() {
  local t0 code
  t0=$(date +%s%N)
  kill "-$1" "$2"
  exits_within 1 "$2" "$3"
  code=$?
  took=$((($(date +%s%N) - t0) / 1000000))
  [ $code -eq 0 ] && [ "$took" -le 500 ]
}

coproc HOST { "$HOST_WINDOW" 320 240; }
host_pid=$HOST_PID  # bash forgets HOST_PID once the host has ended
read -r host <&"${HOST[0]}"
XSCREENSAVER_WINDOW=$(printf '0x%x' "$host") start --root --sound --images 20 --stars 300
pid=$started
drawing 40 40 320 240
screenshot frontend-in-host
check "frontend: stars and portraits inside the host window" test "$(colours frontend-in-host 320 240 40 40)" -gt 20
check "frontend: nothing drawn outside it" test "$(colours frontend-in-host 400 300 700 300)" -eq 1
check "frontend: no window of its own" no_window_named "Skorvane!"
echo "560 420" >&"${HOST[1]}"
sleep 1
screenshot frontend-resized
check "frontend: the display follows the host's growth" test "$(colours frontend-resized 200 150 380 300)" -gt 5
signal_ends TERM "$pid" 143
check "frontend: SIGTERM with sound on ends it at once ($took ms, status $ended_with)" test $? -eq 0

start --window-id "$host" --stars 0 --images 0
pid=$started
sleep 1
screenshot frontend-empty
check "frontend: --stars 0 --images 0 draws a black area" test "$(colours frontend-empty 560 420 40 40)" -eq 1
exec {HOST[1]}>&-
wait "$host_pid" 2>/dev/null
check "frontend: a vanished host ends it, not with 0" exits_within 2 "$pid" 1
check "frontend: with one line on stderr" test "$(grep -c 'has gone' "$E2E_WORK/start.log")" -eq 1
"$SKORVANE" --window-id 0x7ffffff0 >"$E2E_WORK/bad-id.log" 2>&1
code=$?
check "frontend: a bad window id exits 1 with one line" test $code -eq 1 -a "$(wc -l <"$E2E_WORK/bad-id.log")" -eq 1

for bad in "--stars 401" "--stars x" "--images -1" "--size huge" "--speed 11" "--spin-ratio 0.1" \
           "--window-id nope" "--sound --no-sound" "--bogus"; do
  # shellcheck disable=SC2086
  "$SKORVANE" $bad >"$E2E_WORK/bad.log" 2>&1
  code=$?
  check "options: '$bad' exits 2 with one line" test $code -eq 2 -a "$(wc -l <"$E2E_WORK/bad.log")" -eq 1
done
check "options: --version prints the version block" bash -c "'$SKORVANE' --version | grep -qx 'FileVersion: 1.00'"
check "options: --help prints the usage" bash -c "'$SKORVANE' --help | grep -q -- '--window-id ID'"

start /s
pid=$started
window=$(window_named "Skorvane!")
drawing  # running, its handlers in place
signal_ends INT "$pid" 130
check "switches: SIGINT ends /s at once ($took ms, status $ended_with)" test $? -eq 0

# The installed tree, and the real daemon running the hack from it as an ordinary user (it
# refuses to run hacks as root).
build=$(dirname "$SKORVANE")
inst="$E2E_WORK/inst"
cmake --install "$build" --prefix "$inst" >/dev/null
for f in bin/skorvane libexec/xscreensaver/skorvane share/applications/screensavers/skorvane.desktop \
         share/applications/skorvane.desktop share/xscreensaver/config/skorvane.xml \
         share/icons/hicolor/{16x16,32x32,48x48,256x256}/apps/skorvane.png share/man/man6/skorvane.6.gz \
         share/doc/skorvane/copyright share/doc/skorvane/changelog.gz; do
  check "install: $f" test -e "$inst/$f"
done
check "install: the .desktop files are valid" desktop-file-validate "$inst/share/applications/skorvane.desktop" "$inst/share/applications/screensavers/skorvane.desktop"
check "install: the settings XML parses" xmllint --noout "$inst/share/xscreensaver/config/skorvane.xml"

# The .deb, from the same rules: the same files, and a program in it that runs.
(cd "$build" && cpack -G DEB -B "$E2E_WORK/deb" >"$E2E_WORK/cpack.log" 2>&1)
deb=$(ls "$E2E_WORK"/deb/skorvane_*.deb 2>/dev/null | head -n1)
check "deb: cpack builds it" test -n "$deb"
listed=$(dpkg-deb -c "$deb" 2>/dev/null | awk '{print $6}')
missing=$(cd "$inst" && find . -type f -o -type l | while read -r f; do
  grep -qx "./usr/${f#./}" <<<"$listed" || echo "$f"; done)
check "deb: it holds every installed file ${missing:+(not: $missing)}" test -z "$missing"
dpkg-deb -x "$deb" "$E2E_WORK/deb/root"
check "deb: its program runs" bash -c "'$E2E_WORK/deb/root/usr/bin/skorvane' --version | grep -qx 'FileVersion: 1.00'"
check "deb: its program is stripped" bash -c "! file '$E2E_WORK/deb/root/usr/bin/skorvane' | grep -q 'not stripped'"
lintian "$deb" >"$E2E_WORK/lintian.log" 2>&1
check "deb: lintian finds no error and no warning ($(grep -c '^[EW]:' "$E2E_WORK/lintian.log"))" \
  bash -c "! grep -q '^[EW]:' '$E2E_WORK/lintian.log'"

if [ "$(id -u)" -eq 0 ] && command -v xscreensaver >/dev/null; then
  home="$E2E_WORK/xss-home"
  mkdir -p "$home"
  chmod 755 "$E2E_WORK" "$inst"
  printf 'mode: one\nselected: 0\ntimeout: 0:30:00\nlock: False\nsplash: False\nfade: False\nunfade: False\nprograms: "Skorvane" %s --root \\n\n' \
    "$inst/libexec/xscreensaver/skorvane" >"$home/.xscreensaver"
  chown -R nobody "$home"
  as_nobody() { setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME="$home" XDG_RUNTIME_DIR="$home" DISPLAY="$DISPLAY" "$@"; }
  as_nobody xscreensaver --no-splash >"$E2E_WORK/xscreensaver.log" 2>&1 &
  daemon=$!
  sleep 1.5
  as_nobody xscreensaver-command -activate >/dev/null 2>&1
  drawing
  screenshot xscreensaver-active
  check "xscreensaver: the hack runs" pgrep -f "xscreensaver/skorvane --root"
  check "xscreensaver: our display covers the screen" test "$(colours xscreensaver-active 1280 720 0 0)" -gt 20
  as_nobody xscreensaver-command -deactivate >/dev/null 2>&1
  check "xscreensaver: -deactivate leaves no skorvane running within 1 s" \
    none_within 1 '[x]screensaver/skorvane'

  as_nobody xscreensaver-command -exit >/dev/null 2>&1
  wait "$daemon" 2>/dev/null
fi

# The real MATE screensaver, finding the installed theme through its menu of .desktop files.
# It runs hacks only from its own folders, so for this run the hack is linked into the
# system's xscreensaver folder, where the package puts it, unless something is there already.
mate_hack=/usr/libexec/xscreensaver/skorvane
if [ "$(id -u)" -eq 0 ] && [ ! -e "$mate_hack" ] && [ -d "${mate_hack%/*}" ] &&
   command -v mate-screensaver >/dev/null && command -v dbus-launch >/dev/null; then
  ln -s "$inst/bin/skorvane" "$mate_hack"
  mate_config="$E2E_WORK/mate-config"
  mkdir -p "$mate_config/glib-2.0/settings"
  printf "[org/mate/screensaver]\nmode='single'\nthemes=['screensavers-skorvane']\nlock-enabled=false\nidle-activation-enabled=false\n" \
    >"$mate_config/glib-2.0/settings/keyfile"
  as_mate() {
    env XDG_CONFIG_HOME="$mate_config" GSETTINGS_BACKEND=keyfile XDG_CURRENT_DESKTOP=MATE \
      XDG_DATA_DIRS="$inst/share:/usr/share" \
      DBUS_SESSION_BUS_ADDRESS="$mate_bus" "$@"
  }
  read -r mate_bus mate_bus_pid < <(dbus-launch | sed -n 's/^DBUS_SESSION_BUS_ADDRESS=//p; s/^DBUS_SESSION_BUS_PID=//p' | paste -sd' ')
  as_mate mate-screensaver --no-daemon >"$E2E_WORK/mate-screensaver.log" 2>&1 &
  mate=$!
  sleep 1.5
  as_mate mate-screensaver-command --activate >/dev/null 2>&1
  drawing
  screenshot mate-screensaver-active
  check "mate-screensaver: the theme runs" pgrep -f "skorvane --root"
  check "mate-screensaver: our display covers the screen" test "$(colours mate-screensaver-active 1280 720 0 0)" -gt 20
  as_mate mate-screensaver-command --deactivate >/dev/null 2>&1
  check "mate-screensaver: --deactivate leaves no skorvane running within 1 s" \
    none_within 1 '[s]korvane --root'

  kill "$mate" "$mate_bus_pid" 2>/dev/null
  wait "$mate" 2>/dev/null
  rm -f "$mate_hack"
fi
stop_all
