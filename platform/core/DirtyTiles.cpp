#include "platform/core/DirtyTiles.h"

#include <algorithm>

void DirtyTiles::Reset(int width, int height) {
  width_ = width;
  height_ = height;
  columns_ = (width + kTile - 1) / kTile;
  rows_ = (height + kTile - 1) / kTile;
  tiles_.assign(size_t(columns_) * size_t(rows_), 0);
  rows_marked_.assign(size_t(rows_), 0);
  any_ = false;
}

void DirtyTiles::Mark(int x, int y, int width, int height) {
  const int left = std::max(x, 0), top = std::max(y, 0);
  const int right = std::min(x + width, width_), bottom = std::min(y + height, height_);
  if (left >= right || top >= bottom) return;
  for (int row = top / kTile; row <= (bottom - 1) / kTile; ++row) {
    uint8_t* line = tiles_.data() + size_t(row) * size_t(columns_);
    std::fill(line + left / kTile, line + (right - 1) / kTile + 1, uint8_t(1));
    rows_marked_[size_t(row)] = 1;
  }
  any_ = true;
}

std::vector<PixelRect> DirtyTiles::Take() {
  // Runs of changed tiles along each tile row, top to bottom and left to right: the banded
  // order in which a screen region can take them in one call.
  std::vector<PixelRect> rects;
  if (!any_) return rects;
  for (int row = 0; row < rows_; ++row) {
    if (!rows_marked_[size_t(row)]) continue;
    rows_marked_[size_t(row)] = 0;
    uint8_t* line = tiles_.data() + size_t(row) * size_t(columns_);
    const int y = row * kTile, h = std::min(y + kTile, height_) - y;
    for (int col = 0; col < columns_;) {
      if (!line[col]) {
        ++col;
        continue;
      }
      const int start = col;
      while (col < columns_ && line[col]) line[col++] = 0;
      rects.push_back({start * kTile, y, std::min(col * kTile, width_) - start * kTile, h});
    }
  }
  any_ = false;
  return rects;
}

void JoinColumns(std::vector<PixelRect>& rects) {
  // Banded input: the rectangles of one band share top and height, left to right. A
  // rectangle continues one kept from the band above when it has the same columns and
  // starts where that one ends. Both lists run left to right, so one pass finds them.
  std::vector<PixelRect> kept;
  std::vector<size_t> open, nextOpen;  // kept rectangles ending where the next band starts
  kept.reserve(rects.size());
  for (size_t i = 0; i < rects.size();) {
    const int top = rects[i].y;
    size_t o = 0;
    nextOpen.clear();
    for (; i < rects.size() && rects[i].y == top; ++i) {
      const PixelRect& r = rects[i];
      while (o < open.size() && kept[open[o]].x < r.x) ++o;
      if (o < open.size()) {
        PixelRect& above = kept[open[o]];
        if (above.x == r.x && above.width == r.width && above.y + above.height == top) {
          above.height += r.height;
          nextOpen.push_back(open[o++]);
          continue;
        }
      }
      nextOpen.push_back(kept.size());
      kept.push_back(r);
    }
    open.swap(nextOpen);
  }
  rects.swap(kept);
}
