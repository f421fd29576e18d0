#!/usr/bin/env bash
# Fails, naming the files, when a C++ source of ours is not as clang-format (.clang-format)
# would write it. tools/check-format.sh --fix rewrites them in place.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
unformatted=()
for f in "${files[@]}"; do
  clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || unformatted+=("$f")
done
if [ ${#unformatted[@]} -gt 0 ]; then
  printf 'not formatted (tools/check-format.sh --fix): %s\n' "${unformatted[@]}"
  exit 1
fi
echo "format: ${#files[@]} files as clang-format writes them"
