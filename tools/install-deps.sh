#!/usr/bin/env bash
# Installs, from Debian's packages, everything Skorvane needs to build, run and test.
# Skips what is already there; non-interactive.
set -euo pipefail
packages=(
  g++ cmake make pkg-config ccache
  qt6-base-dev qt6-base-dev-tools libxcb1-dev libxcb-shm0-dev libgl-dev libsdl2-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  xvfb xauth x11-utils x11-apps xdotool imagemagick sox
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
