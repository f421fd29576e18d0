#!/usr/bin/env bash
# The logic that both programs share must compile for Windows as it does here: every source
# of startup/, display/ and platform/core/ through the mingw-w64 compiler, syntax only.
#   tools/check-mingw.sh GENERATED_DIR    (the build's generated headers: build/generated)
set -euo pipefail
cd "$(dirname "$0")/.."
generated=${1:?the folder of the generated headers}
compiler=x86_64-w64-mingw32-g++-posix
command -v "$compiler" >/dev/null || { echo "check-mingw: $compiler is not installed" >&2; exit 1; }
failed=0
count=0
for source in startup/*.cpp display/*.cpp platform/core/*.cpp; do
  count=$((count + 1))
  if ! "$compiler" -std=c++20 -Wall -Wextra -Wno-unused-parameter -Werror -fsyntax-only \
       -I. -I"$generated" "$source"; then
    echo "check-mingw: $source does not compile for Windows" >&2
    failed=1
  fi
done
[ "$failed" -eq 0 ] && echo "check-mingw: $count files compile with $compiler"
exit "$failed"
