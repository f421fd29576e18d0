// Reading the program's bitmaps into surfaces: device-independent bitmaps (a 40-byte header,
// then the palette and the rows, bottom-up) with 8 bits per pixel and a palette, or 24 bits
// per pixel; with or without the 14-byte file header in front.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/core/Surface.h"

struct DibInfo {
  int width = 0;
  int height = 0;  // rows, whatever their order
  bool bottomUp = true;
  int bitsPerPixel = 0;
  int paletteEntries = 0;
  size_t pixelOffset = 0;  // from the start of the header
};

// Throws RuntimeError on anything this reader does not accept.
DibInfo ReadDibInfo(const uint8_t* dib, size_t size);
Surface DecodeDib(std::span<const uint8_t> dib);
Surface DecodeBmpFile(std::span<const uint8_t> file);
