#include "platform/core/Mask.h"

#include <algorithm>

#include "platform/core/RasterRows.h"

void Mask::Resize(int width, int height, Colour background) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  pixels_.assign(size_t(width_) * size_t(height_), Byte(background));
}

Colour Mask::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  return Row(y)[x] ? kWhite : kBlack;
}

void Mask::SetPixelV(int x, int y, Colour colour) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  Row(y)[x] = Byte(colour);
}

void BitBlt(Surface& dst, int x, int y, int w, int h, const Mask& src, int sx, int sy,
            RasterOp op) {
  raster::Blit(dst, x, y, w, h, src, sx, sy, op);
}

void StretchBlt(Mask& dst, int x, int y, int w, int h, const Mask& src, int sx, int sy, int sw,
                int sh, RasterOp op) {
  raster::Stretch(dst, x, y, w, h, src, sx, sy, sw, sh, op);
}
