#!/usr/bin/env bash
# Quick start for developers, and what CI runs: install what is missing, check the format,
# build and run every test, and the Windows build's under Wine; then the Release and the
# Debian-flags builds, the same suite built with AddressSanitizer and
# UndefinedBehaviorSanitizer, and a bounded run of each fuzzer.
# Tests that need a display start their own Xvfb.
#   tools/test.sh --quick    the first build and its tests only
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh --tests
tools/check-format.sh
tools/build.sh -DSKORVANE_TESTS=ON
(cd build && ctest --output-on-failure -j2)
[ "${1:-}" = "--quick" ] && exit 0
tools/test-windows.sh
tools/build-packagers.sh
tools/test-sanitized.sh --no-install
tools/fuzz.sh
