#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and UndefinedBehaviorSanitizer
# on) into build-fuzz/ and runs each on a copy of its seed corpus from tests/fuzz/seeds/.
#   tools/fuzz.sh              a bounded run, as CI does (RUNS inputs a target, default 20000)
#   tools/fuzz.sh SECONDS      each target for that long, for a developer's longer search
# A crash leaves its input in build-fuzz/findings/ and fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKORVANE_TESTS=OFF -DSKORVANE_FUZZ=ON \
  -DCMAKE_CXX_COMPILER=clang++ "${launcher[@]}" \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
targets=(Bitmap:dib Wave:wav Settings:ini CommandLine:args)
names=()
for pair in "${targets[@]}"; do names+=("fuzz_${pair%%:*}"); done
cmake --build build-fuzz -j"$(nproc)" --target "${names[@]}" >/dev/null

if [ $# -gt 0 ]; then limit=(-max_total_time="$1"); else limit=(-runs="${RUNS:-20000}"); fi
mkdir -p build-fuzz/findings
for pair in "${targets[@]}"; do
  target=${pair%%:*} seeds=tests/fuzz/seeds/${pair#*:}
  corpus=build-fuzz/corpus/$target
  mkdir -p "$corpus"
  [ -d "$seeds" ] && cp -n "$seeds"/* "$corpus"/ 2>/dev/null || true
  log=build-fuzz/fuzz_$target.log
  status=0
  ASAN_OPTIONS=detect_leaks=0 "build-fuzz/tests/fuzz/fuzz_$target" "${limit[@]}" -timeout=10 \
    -artifact_prefix=build-fuzz/findings/ "$corpus" >"$log" 2>&1 || status=$?
  echo "fuzz_$target: $(grep -E '^#[0-9]+' "$log" | tail -n1)"
  if [ $status -ne 0 ]; then
    tail -n 30 "$log"
    echo "fuzz_$target found a fault (status $status): its input is in build-fuzz/findings/"
    exit 1
  fi
done
