// A two-colour picture that says where a sprite is opaque: black where it is, white where the
// background shows through. It takes one byte a pixel, a quarter of a full-colour picture, and
// combines into a surface exactly as that picture would: an AND of it clears what lies under
// the black pixels and keeps the rest.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/core/Surface.h"

class Mask {
 public:
  Mask() = default;
  Mask(int width, int height, Colour background) { Resize(width, height, background); }

  int Width() const { return width_; }
  int Height() const { return height_; }

  // New size, every pixel white if `background` is white and black otherwise.
  void Resize(int width, int height, Colour background);

  Colour GetPixel(int x, int y) const;          // kBlack, kWhite, or CLR_INVALID outside
  void SetPixelV(int x, int y, Colour colour);  // white for kWhite, black for any other colour

  // A row of pixels as they are kept: 0x00 black, 0xFF white.
  uint8_t* Row(int y) { return pixels_.data() + size_t(y) * size_t(width_); }
  const uint8_t* Row(int y) const { return pixels_.data() + size_t(y) * size_t(width_); }

 private:
  static uint8_t Byte(Colour colour) { return colour == kWhite ? 0xFF : 0x00; }

  int width_ = 0;
  int height_ = 0;
  std::vector<uint8_t> pixels_;
};

// As the operations of the same names on surfaces, for a mask as the source.
void BitBlt(Surface& dst, int x, int y, int w, int h, const Mask& src, int sx, int sy, RasterOp op);
void StretchBlt(Mask& dst, int x, int y, int w, int h, const Mask& src, int sx, int sy, int sw,
                int sh, RasterOp op);
