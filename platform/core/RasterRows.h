// The loops behind BitBlt and StretchBlt, for any pair of pixel kinds: a surface's 32-bit
// pixels and a mask's bytes. Clipping, the source index of a stretch and the per-row combine
// are written once here; Surface.cpp and Mask.cpp instantiate them.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/core/Surface.h"

namespace raster {

// A source pixel as a surface keeps it: a mask's byte (0x00 or 0xFF) becomes black or white.
inline uint32_t ToSurface(uint32_t pixel) {
  return pixel;
}
inline uint32_t ToSurface(uint8_t maskByte) {
  return 0xFF000000u | uint32_t(maskByte) * 0x010101u;
}

// One pixel combined into another; a mask destination takes a mask's bytes as they are.
template <RasterOp op, typename D, typename S>
inline void Apply(D& dst, S src) {
  D value;
  if constexpr (sizeof(D) == 1) {
    value = src;
  } else {
    value = ToSurface(src);
  }
  if constexpr (op == RasterOp::SRCCOPY) dst = value;
  if constexpr (op == RasterOp::SRCAND) dst &= value;
  if constexpr (op == RasterOp::SRCPAINT) dst |= value;
}

// One destination row: `count` pixels, source pixel i at src[i] (or src[map[i]]). Source and
// destination never overlap; saying so lets the compiler vectorise the plain loops.
template <RasterOp op, typename D, typename S>
inline void Combine(D* __restrict dst, const S* __restrict src, int count) {
  for (int i = 0; i < count; ++i) Apply<op>(dst[i], src[i]);
}

template <RasterOp op, typename D, typename S>
inline void CombineMapped(D* __restrict dst, const S* __restrict src, const int* map, int count) {
  for (int i = 0; i < count; ++i) Apply<op>(dst[i], src[map[i]]);
}

template <typename Picture>
void MarkChanged(Picture& picture, int x, int y, int w, int h) {
  if constexpr (requires { picture.MarkChanged(x, y, w, h); }) picture.MarkChanged(x, y, w, h);
}

// A frame meets the screen's rows cold: the X server and the rest of the desktop ran since the
// last one. Its rows lie a page apart, where the processor's own prefetching stops, so each
// row is asked for a few rows before it is combined and the waits overlap.
constexpr int kRowsAhead = 4;

template <typename T>
inline void PrefetchRow(T* first, int count) {
  const char* p = reinterpret_cast<const char*>(first);
  const char* last = reinterpret_cast<const char*>(first + count) - 1;
  for (; p < last; p += 64) __builtin_prefetch(p, 1);
  __builtin_prefetch(last, 1);
}

// Before row `row` of the w x h block at (x, y) is combined: the first rows at once, then the
// row kRowsAhead further on.
template <typename Dst>
inline void PrefetchAhead(Dst& dst, int x, int y, int w, int h, int row) {
  if (row == 0) {
    for (int r = 0; r < std::min(h, kRowsAhead); ++r) PrefetchRow(dst.Row(y + r) + x, w);
  }
  if (row + kRowsAhead < h) PrefetchRow(dst.Row(y + row + kRowsAhead) + x, w);
}

template <RasterOp op, typename Dst, typename Src>
void BlitRows(Dst& dst, int x, int y, int w, int h, const Src& src, int sx, int sy) {
  for (int row = 0; row < h; ++row) {
    PrefetchAhead(dst, x, y, w, h, row);
    Combine<op>(dst.Row(y + row) + x, src.Row(sy + row) + sx, w);
  }
}

template <typename Dst, typename Src>
void Blit(Dst& dst, int x, int y, int w, int h, const Src& src, int sx, int sy, RasterOp op) {
  // Clip against the source, then the destination, moving both origins together.
  const int left = std::max({0, -sx, -x}), top = std::max({0, -sy, -y});
  const int right = std::min({w, src.Width() - sx, dst.Width() - x});
  const int bottom = std::min({h, src.Height() - sy, dst.Height() - y});
  if (left >= right || top >= bottom) return;
  x += left, y += top, sx += left, sy += top;
  w = right - left, h = bottom - top;
  switch (op) {
    case RasterOp::SRCCOPY:
      BlitRows<RasterOp::SRCCOPY>(dst, x, y, w, h, src, sx, sy);
      break;
    case RasterOp::SRCAND:
      BlitRows<RasterOp::SRCAND>(dst, x, y, w, h, src, sx, sy);
      break;
    case RasterOp::SRCPAINT:
      BlitRows<RasterOp::SRCPAINT>(dst, x, y, w, h, src, sx, sy);
      break;
  }
  MarkChanged(dst, x, y, w, h);
}

template <RasterOp op, typename Dst, typename Src>
void StretchRows(Dst& dst, const PixelRect& clip, const int* columns, const int* rows,
                 const Src& src) {
  for (int row = 0; row < clip.height; ++row) {
    PrefetchAhead(dst, clip.x, clip.y, clip.width, clip.height, row);
    CombineMapped<op>(dst.Row(clip.y + row) + clip.x, src.Row(rows[row]), columns, clip.width);
  }
}

// Source index for each destination index: the source pixel under the destination's centre.
inline int SourceIndex(int destination, int destinationSize, int sourceStart, int sourceSize) {
  return sourceStart +
         int((int64_t(2 * destination + 1) * sourceSize) / (2 * int64_t(destinationSize)));
}

template <typename Dst, typename Src>
void Stretch(Dst& dst, int x, int y, int w, int h, const Src& src, int sx, int sy, int sw, int sh,
             RasterOp op) {
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
  MarkChanged(dst, area.x, area.y, area.width, area.height);
}

}  // namespace raster
