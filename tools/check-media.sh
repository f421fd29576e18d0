#!/usr/bin/env bash
# Regenerates every asset into a scratch folder and compares with what is committed.
#   tools/check-media.sh PATH/TO/skorvane-mediagen
set -euo pipefail
assets="$(dirname "$0")/../media/assets"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"$1" "$scratch"
status=0
for f in "$scratch"/*; do
  if ! cmp -s "$f" "$assets/$(basename "$f")"; then
    echo "differs from the generator: media/assets/$(basename "$f")"
    status=1
  fi
done
[ "$(ls "$scratch" | wc -l)" -eq "$(ls "$assets" | wc -l)" ] || { echo "asset lists differ"; status=1; }
[ $status -eq 0 ] && echo "all $(ls "$scratch" | wc -l) assets match the generator"
exit $status
