#include "platform/core/Surface.h"

#include <algorithm>

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

namespace {

// One destination row: `count` pixels, source pixel i at src[i] (or src[map[i]]). Source and
// destination never overlap; saying so lets the compiler vectorise the plain loops.
template <RasterOp op>
inline void Combine(Colour* __restrict dst, const Colour* __restrict src, int count) {
  for (int i = 0; i < count; ++i) {
    if constexpr (op == RasterOp::SRCCOPY) dst[i] = src[i];
    if constexpr (op == RasterOp::SRCAND) dst[i] &= src[i];
    if constexpr (op == RasterOp::SRCPAINT) dst[i] |= src[i];
  }
}

template <RasterOp op>
inline void CombineMapped(Colour* __restrict dst, const Colour* __restrict src, const int* map,
                          int count) {
  for (int i = 0; i < count; ++i) {
    if constexpr (op == RasterOp::SRCCOPY) dst[i] = src[map[i]];
    if constexpr (op == RasterOp::SRCAND) dst[i] &= src[map[i]];
    if constexpr (op == RasterOp::SRCPAINT) dst[i] |= src[map[i]];
  }
}

template <RasterOp op>
void BitBltRows(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy) {
  for (int row = 0; row < h; ++row) Combine<op>(dst.Row(y + row) + x, src.Row(sy + row) + sx, w);
}

template <RasterOp op>
void StretchRows(Surface& dst, const PixelRect& clip, const int* columns, const int* rows,
                 const Surface& src) {
  for (int row = 0; row < clip.height; ++row) {
    CombineMapped<op>(dst.Row(clip.y + row) + clip.x, src.Row(rows[row]), columns, clip.width);
  }
}

// Source index for each destination index: the source pixel under the destination's centre.
int SourceIndex(int destination, int destinationSize, int sourceStart, int sourceSize) {
  return sourceStart +
         int((int64_t(2 * destination + 1) * sourceSize) / (2 * int64_t(destinationSize)));
}

}  // namespace

void BitBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
            RasterOp op) {
  // Clip against the source, then the destination, moving both origins together.
  const int left = std::max({0, -sx, -x}), top = std::max({0, -sy, -y});
  const int right = std::min({w, src.Width() - sx, dst.Width() - x});
  const int bottom = std::min({h, src.Height() - sy, dst.Height() - y});
  if (left >= right || top >= bottom) return;
  x += left, y += top, sx += left, sy += top;
  w = right - left, h = bottom - top;
  switch (op) {
    case RasterOp::SRCCOPY:
      BitBltRows<RasterOp::SRCCOPY>(dst, x, y, w, h, src, sx, sy);
      break;
    case RasterOp::SRCAND:
      BitBltRows<RasterOp::SRCAND>(dst, x, y, w, h, src, sx, sy);
      break;
    case RasterOp::SRCPAINT:
      BitBltRows<RasterOp::SRCPAINT>(dst, x, y, w, h, src, sx, sy);
      break;
  }
  dst.MarkChanged(x, y, w, h);
}

void StretchBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
                int sw, int sh, RasterOp op) {
  if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
  if (sx < 0 || sy < 0 || sx + sw > src.Width() || sy + sh > src.Height()) return;
  const PixelRect clip{std::max(x, 0), std::max(y, 0), 0, 0};
  const int right = std::min(x + w, dst.Width()), bottom = std::min(y + h, dst.Height());
  if (clip.x >= right || clip.y >= bottom) return;
  const PixelRect area{clip.x, clip.y, right - clip.x, bottom - clip.y};

  std::vector<int> columns(size_t(area.width)), rows(size_t(area.height));
  for (int i = 0; i < area.width; ++i) columns[i] = SourceIndex(area.x - x + i, w, sx, sw);
  for (int i = 0; i < area.height; ++i) rows[i] = SourceIndex(area.y - y + i, h, sy, sh);
  switch (op) {
    case RasterOp::SRCCOPY:
      StretchRows<RasterOp::SRCCOPY>(dst, area, columns.data(), rows.data(), src);
      break;
    case RasterOp::SRCAND:
      StretchRows<RasterOp::SRCAND>(dst, area, columns.data(), rows.data(), src);
      break;
    case RasterOp::SRCPAINT:
      StretchRows<RasterOp::SRCPAINT>(dst, area, columns.data(), rows.data(), src);
      break;
  }
  dst.MarkChanged(area.x, area.y, area.width, area.height);
}
