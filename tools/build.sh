#!/usr/bin/env bash
# Configures and builds into build/ (the program lands at build/skorvane), warnings as errors.
# Arguments go to cmake: tools/start.sh builds without the tests (-DSKORVANE_TESTS=OFF), whose
# libraries only tools/install-deps.sh --tests installs.
set -euo pipefail
cd "$(dirname "$0")/.."
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKORVANE_WERROR=ON "${launcher[@]}" "$@" \
  >/dev/null
cmake --build build -j"$(nproc)"
