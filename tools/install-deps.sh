#!/usr/bin/env bash
# Installs, from Debian's packages, what Skorvane needs to build and run; with --tests, what
# its tests, benchmarks, sanitized build and fuzzers need as well.
# Skips what is already there; non-interactive.
set -euo pipefail
run=(
  g++ cmake make pkg-config ccache gzip
  qt6-base-dev qt6-base-dev-tools libxcb1-dev libxcb-shm0-dev libgl-dev libsdl2-dev
  libwayland-dev libwayland-bin wayland-protocols
)
tests=(
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  xvfb xauth x11-utils x11-apps xdotool imagemagick sox locales
  xscreensaver desktop-file-utils libxml2-utils
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils dpkg-dev file lintian
  mate-screensaver dbus-x11 openbox tint2
  clang libclang-rt-14-dev clang-format
  g++-mingw-w64-x86-64-posix qt6-wayland sway grim wtype xwayland
  g++-mingw-w64-i686-posix wine wine64 libwine fonts-wine libxrandr2 libxinerama1 libxrender1
  libxi6 libxcursor1 libxcomposite1 libxfixes3
)
packages=("${run[@]}")
[ "${1:-}" = "--tests" ] && packages+=("${tests[@]}")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
if [ ${#missing[@]} -gt 0 ]; then
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# A comma-decimal locale, for the tests that write settings under one.
if [ "${1:-}" = "--tests" ] && ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  $sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
