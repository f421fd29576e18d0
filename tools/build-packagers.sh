#!/usr/bin/env bash
# The program as packagers build it, with warnings as errors so that a warning that only
# their flags bring out is seen here and mended in the code: the Release configuration
# (build-release/) and Debian's packaging flags (build-debian/).
set -euo pipefail
cd "$(dirname "$0")/.."
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DSKORVANE_WERROR=ON \
  -DSKORVANE_TESTS=OFF "${launcher[@]}" >/dev/null
cmake --build build-release -j"$(nproc)"

CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" \
  cmake -S . -B build-debian -DCMAKE_BUILD_TYPE=None -DSKORVANE_WERROR=ON \
  -DSKORVANE_TESTS=OFF "${launcher[@]}" >/dev/null
cmake --build build-debian -j"$(nproc)"
echo "build-packagers: the Release and the Debian-flags builds have no warning"
