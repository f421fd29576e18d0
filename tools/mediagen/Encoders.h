// File formats the generator writes: bitmaps, wave files, GIF pictures and the icon.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/mediagen/Canvas.h"

namespace mediagen {

using Bytes = std::vector<uint8_t>;

// An image reduced to palette indices: its 256 most frequent colours, others to the nearest.
struct Indexed {
  int width = 0, height = 0;
  std::vector<Rgb> palette;  // at most 256 entries
  std::vector<uint8_t> index;
};
Indexed ToIndexed(const Image& image);

// A device-independent bitmap without file header: 40-byte header, 256-entry palette,
// 8 bits per pixel, rows bottom-up.
Bytes Dib8(const Indexed& image);

// A complete 24-bit bitmap file (14-byte file header, 40-byte header, rows bottom-up).
Bytes BmpFile24(const Image& image);

// A RIFF WAVE image, PCM mono. `withFact` adds a 4-byte "fact" chunk; `trailing` bytes of
// zero follow the RIFF image.
Bytes Wave(const Bytes& samples, int rate, int bits, bool withFact, int trailing);

// GIF89a with a 256-entry global colour table; `transparent` >= 0 adds a graphic-control
// extension naming that palette index as transparent.
Bytes Gif(const Indexed& image, int transparent);

// An icon file of 4-bit images with the 16-colour palette; `opaque` marks the pixels drawn.
struct IconImage {
  int size = 0;
  std::vector<uint8_t> index;  // palette index per pixel
  std::vector<bool> opaque;
};
Bytes IconFile(const std::vector<IconImage>& images);
const std::vector<Rgb>& SixteenColours();

void WriteFile(const std::string& path, const Bytes& bytes);

}  // namespace mediagen

namespace mediagen {

// A PNG file of `image` with 8-bit alpha: pixels of colour `transparent` are fully clear.
// Deflate's stored blocks keep the encoder short; the icons are small.
Bytes PngWithKey(const Image& image, Rgb transparent);

}  // namespace mediagen
