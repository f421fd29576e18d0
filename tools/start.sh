#!/usr/bin/env bash
# Quick start: install what is missing, build, and start the screensaver.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
tools/build.sh -DSKORVANE_TESTS=OFF
exec build/skorvane /s
