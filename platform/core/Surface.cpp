#include "platform/core/Surface.h"

#include <algorithm>

#include "platform/core/RasterRows.h"

Surface& Surface::operator=(const Surface& other) {
  if (this == &other) return *this;
  width_ = other.width_;
  height_ = other.height_;
  pixels_.assign(other.Data(), other.Data() + size_t(width_) * size_t(height_));
  borrowed_ = nullptr;
  tracking_ = other.tracking_;
  changes_ = other.changes_;
  return *this;
}

void Surface::Adopt(int width, int height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  changes_.Reset(width_, height_);
}

void Surface::Resize(int width, int height, Colour background) {
  borrowed_ = nullptr;
  Adopt(width, height);
  pixels_.assign(size_t(width_) * size_t(height_), ToStored(background));
  if (tracking_) changes_.MarkAll();
}

void Surface::UseBorrowedPixels(uint32_t* pixels, int width, int height, Colour background) {
  pixels_.clear();
  pixels_.shrink_to_fit();
  borrowed_ = pixels;
  Adopt(width, height);
  Cls(background);
}

void Surface::Cls(Colour background) {
  std::fill(Data(), Data() + size_t(width_) * size_t(height_), ToStored(background));
  MarkChanged(0, 0, width_, height_);
}

Colour Surface::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  return FromStored(Row(y)[x]);
}

void Surface::TrackChanges(bool on) {
  tracking_ = on;
  changes_.Reset(width_, height_);
}

void BitBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
            RasterOp op) {
  raster::Blit(dst, x, y, w, h, src, sx, sy, op);
}

void StretchBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
                int sw, int sh, RasterOp op) {
  raster::Stretch(dst, x, y, w, h, src, sx, sy, sw, sh, op);
}
