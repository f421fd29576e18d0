#include "platform/DirtyTiles.h"

#include <algorithm>

void DirtyTiles::Reset(int width, int height) {
  width_ = width;
  height_ = height;
  columns_ = (width + kTile - 1) / kTile;
  rows_ = (height + kTile - 1) / kTile;
  tiles_.assign(size_t(columns_) * size_t(rows_), 0);
  any_ = false;
}

void DirtyTiles::Mark(int x, int y, int width, int height) {
  const int left = std::max(x, 0), top = std::max(y, 0);
  const int right = std::min(x + width, width_), bottom = std::min(y + height, height_);
  if (left >= right || top >= bottom) return;
  for (int row = top / kTile; row <= (bottom - 1) / kTile; ++row) {
    uint8_t* line = tiles_.data() + size_t(row) * size_t(columns_);
    std::fill(line + left / kTile, line + (right - 1) / kTile + 1, uint8_t(1));
  }
  any_ = true;
}

std::vector<PixelRect> DirtyTiles::Take() {
  std::vector<PixelRect> rects;
  if (!any_) return rects;
  // Runs of changed tiles along each tile row; a run with the same span as one in the row
  // above grows that rectangle downward instead of starting a new one.
  std::vector<size_t> open;  // indices into rects of the runs that ended on the previous row
  for (int row = 0; row < rows_; ++row) {
    std::vector<size_t> now;
    uint8_t* line = tiles_.data() + size_t(row) * size_t(columns_);
    for (int col = 0; col < columns_;) {
      if (!line[col]) {
        ++col;
        continue;
      }
      const int start = col;
      while (col < columns_ && line[col]) line[col++] = 0;
      const int x = start * kTile, y = row * kTile;
      const int w = std::min(col * kTile, width_) - x, h = std::min(y + kTile, height_) - y;
      auto same = std::find_if(open.begin(), open.end(), [&](size_t i) {
        return rects[i].x == x && rects[i].width == w;
      });
      if (same != open.end()) {
        rects[*same].height += h;
        now.push_back(*same);
      } else {
        rects.push_back({x, y, w, h});
        now.push_back(rects.size() - 1);
      }
    }
    open = std::move(now);
  }
  any_ = false;
  return rects;
}
