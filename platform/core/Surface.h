// A software drawing surface of 24-bit colours. Colours go in and out with red in the low
// byte (red + 256 x green + 65536 x blue); inside, each pixel is kept in the screen's order,
// 0xFFRRGGBB, so the window's surface can be handed to the X server as it is. The raster
// operations work bit by bit on each channel, so their results do not depend on that order.
// The display window and every off-screen picture are surfaces (the black-and-white masks of
// the sprites are Masks, platform/core/Mask.h); all drawing is done by the bit-exact
// operations below, clipped at the edges.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/core/DirtyTiles.h"

using Colour = uint32_t;

constexpr Colour RGB(int red, int green, int blue) {
  return Colour(red & 0xFF) | Colour(green & 0xFF) << 8 | Colour(blue & 0xFF) << 16;
}
constexpr Colour kBlack = 0;
constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour CLR_INVALID = 0xFFFFFFFF;  // what GetPixel answers outside the surface

// How a transferred pixel combines with the one under it (bitwise on the colour values).
enum class RasterOp : uint32_t {
  SRCCOPY = 0x00CC0020,   // dest = src
  SRCAND = 0x008800C6,    // dest = dest AND src
  SRCPAINT = 0x00EE0086,  // dest = dest OR src
};

// A colour as the surface keeps it: red and blue swapped, and the unused top byte set, as
// toolkits expect of opaque 32-bit pixels (AND and OR keep it set).
constexpr uint32_t ToStored(Colour c) {
  return 0xFF000000u | (c & 0x00FF00) | (c & 0xFF) << 16 | (c >> 16 & 0xFF);
}
constexpr Colour FromStored(uint32_t p) {
  return (p & 0x00FF00) | (p & 0xFF) << 16 | (p >> 16 & 0xFF);
}

class Surface {
 public:
  Surface() = default;
  Surface(int width, int height, Colour background) { Resize(width, height, background); }
  Surface(const Surface& other) { *this = other; }
  Surface& operator=(const Surface& other);  // always a copy of its own, never shared
  Surface(Surface&&) noexcept = default;
  Surface& operator=(Surface&&) noexcept = default;

  int Width() const { return width_; }
  int Height() const { return height_; }

  // New size, every pixel set to `background`, in storage of the surface's own.
  void Resize(int width, int height, Colour background);
  void Cls(Colour background);

  // Draws from now on into `pixels` (width x height, 0xFFRRGGBB), which the caller
  // keeps valid until the surface is resized or goes; every pixel set to `background`.
  void UseBorrowedPixels(uint32_t* pixels, int width, int height, Colour background);

  // The borrowed pixels are now at `pixels`, of the same size, which the caller has made a
  // copy of them.
  void MoveBorrowedPixels(uint32_t* pixels) { borrowed_ = pixels; }

  Colour GetPixel(int x, int y) const;
  void SetPixelV(int x, int y, Colour colour) {  // inline: stars are drawn pixel by pixel
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    Row(y)[x] = ToStored(colour & 0xFFFFFF);
    if (tracking_) changes_.MarkPixel(x, y);
  }

  // A w x h block of one colour, clipped at the edges: what SetPixelV of each of its pixels
  // does, with the edges tested and the tiles marked once for the block (a star is 2 x 2).
  void FillRect(int x, int y, int w, int h, Colour colour) {
    const int left = x < 0 ? 0 : x, top = y < 0 ? 0 : y;
    const int right = x + w > width_ ? width_ : x + w, bottom = y + h > height_ ? height_ : y + h;
    if (left >= right || top >= bottom) return;
    const uint32_t stored = ToStored(colour & 0xFFFFFF);
    for (int row = top; row < bottom; ++row) {
      uint32_t* line = Row(row);
      for (int column = left; column < right; ++column) line[column] = stored;
    }
    if (tracking_) changes_.Mark(left, top, right - left, bottom - top);
  }

  // A row of pixels as they are kept (0xFFRRGGBB).
  uint32_t* Row(int y) { return Data() + size_t(y) * size_t(width_); }
  const uint32_t* Row(int y) const { return Data() + size_t(y) * size_t(width_); }

  // Surfaces shown on screen remember which areas changed since they were last presented.
  void TrackChanges(bool on);
  DirtyTiles& Changes() { return changes_; }
  void MarkChanged(int x, int y, int width, int height) {
    if (tracking_) changes_.Mark(x, y, width, height);
  }

 private:
  uint32_t* Data() { return borrowed_ ? borrowed_ : pixels_.data(); }
  const uint32_t* Data() const { return borrowed_ ? borrowed_ : pixels_.data(); }
  void Adopt(int width, int height);

  int width_ = 0;
  int height_ = 0;
  std::vector<uint32_t> pixels_;
  uint32_t* borrowed_ = nullptr;
  bool tracking_ = false;
  DirtyTiles changes_;
};

// Combines the w x h block at (sx, sy) of `src` into `dst` at (x, y).
void BitBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
            RasterOp op);

// Scales the sw x sh block at (sx, sy) of `src` to w x h and combines it into `dst` at (x, y).
// No smoothing: each destination pixel takes the source pixel under its centre, so a mask and
// its image scaled to the same size pick the same source pixels.
void StretchBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
                int sw, int sh, RasterOp op);
