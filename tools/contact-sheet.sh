#!/usr/bin/env bash
# Makes media/contact-sheet.png (every picture, enlarged) and media/spectrograms.png (the three
# sounds) from the committed assets, for a person to look at. Needs ImageMagick and sox.
#   tools/contact-sheet.sh [OUTPUT_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
assets=media/assets
out=${1:-build/media-review}
mkdir -p "$out/tmp"

# A bitmap resource has no file header: put one in front so ImageMagick can read it.
for dib in "$assets"/portrait*.dib; do
  name=$(basename "$dib" .dib)
  size=$(($(stat -c %s "$dib") + 14))
  {
    printf 'BM'
    printf "$(printf '\\x%02x\\x%02x\\x%02x\\x%02x' $((size & 255)) $((size >> 8 & 255)) $((size >> 16 & 255)) 0)"
    printf '\x00\x00\x00\x00\x36\x04\x00\x00'
    cat "$dib"
  } >"$out/tmp/$name.bmp"
done

scale() { convert "$1" -filter point -resize "$2" "$3"; }
for p in "$out"/tmp/portrait*.bmp; do scale "$p" 300% "$p.png"; done
for b in "$assets"/boom*.bmp; do scale "$b" 300% "$out/tmp/$(basename "$b").png"; done
scale "$assets/setup.gif[0]" 300% "$out/tmp/setup.png"
convert "$assets/skorvane.ico[0]" -filter point -resize 800% "$out/tmp/icon32.png"
convert "$assets/skorvane.ico[1]" -filter point -resize 800% "$out/tmp/icon16.png"
# The tiny portrait at half size, as the sprites draw it when small.
convert "$out/tmp/portrait104.bmp" -filter point -resize 29x45! -filter point -resize 600% "$out/tmp/tiny-half.png"

montage "$out"/tmp/portrait*.png "$out/tmp/tiny-half.png" "$out/tmp/setup.png" "$out/tmp/icon32.png" "$out/tmp/icon16.png" \
  -background '#303030' -geometry +6+6 -tile 8x "$out/portraits.png"
montage "$out"/tmp/boom*.png -background '#303030' -geometry +4+4 -tile 8x "$out/explosion.png"
cp "$assets/preview.gif" "$out/tmp/preview.gif"
convert "$out/tmp/preview.gif[0]" "$out/preview.png"

for wav in LASER LASEREXPLODE LEXPLODE; do
  head -c "$(( $(stat -c %s "$assets/$wav.WAV") - $( [ $wav = LASER ] && echo 3 || ([ $wav = LASEREXPLODE ] && echo 2 || echo 0)) ))" \
    "$assets/$wav.WAV" >"$out/tmp/$wav.wav"
  sox "$out/tmp/$wav.wav" -n spectrogram -x 600 -y 200 -t "$wav.WAV" -o "$out/tmp/$wav-spectrogram.png"
  sox "$out/tmp/$wav.wav" -n stat 2>&1 | grep -E 'Length|Maximum amplitude|Minimum amplitude|RMS' | sed "s/^/$wav: /"
done
montage "$out"/tmp/*-spectrogram.png -geometry +2+2 -tile 1x "$out/spectrograms.png"
rm -rf "$out/tmp"
echo "wrote $out/portraits.png $out/explosion.png $out/preview.png $out/spectrograms.png"
