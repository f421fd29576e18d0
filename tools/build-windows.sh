#!/usr/bin/env bash
# Builds the Windows screensaver with Debian's mingw-w64: build-windows/x86_64/Skorvane!.scr
# and build-windows/i686/Skorvane!.scr, each linked statically so that it imports only
# Windows' own DLLs. Installs the cross compilers first when they are missing.
#   tools/build-windows.sh [x86_64|i686 ...]   (both by default)
set -euo pipefail
cd "$(dirname "$0")/.."
arches=("$@")
[ ${#arches[@]} -eq 0 ] && arches=(x86_64 i686)
missing=()
for arch in "${arches[@]}"; do
  package="g++-mingw-w64-${arch//_/-}-posix"
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends cmake make ccache "${missing[@]}"
fi
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
for arch in "${arches[@]}"; do
  cmake -S . -B "build-windows/$arch" -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-$arch.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DSKORVANE_WERROR=ON "${launcher[@]}" >/dev/null
  cmake --build "build-windows/$arch" -j"$(nproc)"
  echo "build-windows/$arch/Skorvane!.scr"
done
