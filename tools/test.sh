#!/usr/bin/env bash
# Quick start for developers: install what is missing, build, and run every test.
# Tests that need a display start their own Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
tools/build.sh
cd build
ctest --output-on-failure -j2
