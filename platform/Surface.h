// A software drawing surface: 32-bit pixels holding 24-bit colours with red in the low byte
// (red + 256 x green + 65536 x blue). The display window and every off-screen picture are
// surfaces; all drawing is done by the bit-exact operations below, clipped at the edges.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/DirtyTiles.h"

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

class Surface {
 public:
  Surface() = default;
  Surface(int width, int height, Colour background) { Resize(width, height, background); }

  int Width() const { return width_; }
  int Height() const { return height_; }

  // New size, every pixel set to `background`.
  void Resize(int width, int height, Colour background);
  void Cls(Colour background);

  Colour GetPixel(int x, int y) const;
  void SetPixelV(int x, int y, Colour colour);

  Colour* Row(int y) { return pixels_.data() + size_t(y) * size_t(width_); }
  const Colour* Row(int y) const { return pixels_.data() + size_t(y) * size_t(width_); }

  // Surfaces shown on screen remember which areas changed since they were last presented.
  void TrackChanges(bool on);
  DirtyTiles& Changes() { return changes_; }
  void MarkChanged(int x, int y, int width, int height) {
    if (tracking_) changes_.Mark(x, y, width, height);
  }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Colour> pixels_;
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
