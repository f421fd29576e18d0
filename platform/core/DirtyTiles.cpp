#include "platform/core/DirtyTiles.h"

#include <algorithm>
#include <bit>

void DirtyTiles::Reset(int width, int height) {
  width_ = width;
  height_ = height;
  columns_ = (width + kTile - 1) / kTile;
  rows_ = (height + kTile - 1) / kTile;
  words_ = (columns_ + kWordBits - 1) / kWordBits;
  bits_.assign(size_t(words_) * size_t(rows_), 0);
  row_top_.assign(size_t(rows_), kTile);
  row_bottom_.assign(size_t(rows_), 0);
  any_ = false;
}

void DirtyTiles::Mark(int x, int y, int width, int height) {
  const int left = std::max(x, 0), top = std::max(y, 0);
  const int right = std::min(x + width, width_), bottom = std::min(y + height, height_);
  if (left >= right || top >= bottom) return;
  const int first = left / kTile, last = (right - 1) / kTile;
  const int firstRow = top / kTile, lastRow = (bottom - 1) / kTile;
  for (int row = firstRow; row <= lastRow; ++row) {
    WidenRow(row, row == firstRow ? top - row * kTile : 0,
             row == lastRow ? bottom - 1 - row * kTile : kTile - 1);
    uint64_t* line = Line(row);
    for (int word = first / kWordBits; word <= last / kWordBits; ++word) {
      const int from = std::max(first - word * kWordBits, 0);
      const int to = std::min(last - word * kWordBits, kWordBits - 1);  // inclusive
      line[word] |= (~uint64_t(0) << from) & (~uint64_t(0) >> (kWordBits - 1 - to));
    }
  }
  any_ = true;
}

int DirtyTiles::NextMarked(const uint64_t* line, int from) const {
  // Bits past the last column are never set, so a search that finds none ends at columns_.
  for (int word = from / kWordBits; word < words_; ++word) {
    uint64_t bits = line[word];
    if (word == from / kWordBits) bits &= ~uint64_t(0) << (from % kWordBits);
    if (bits) return word * kWordBits + std::countr_zero(bits);
  }
  return columns_;
}

int DirtyTiles::NextUnmarked(const uint64_t* line, int from) const {
  for (int word = from / kWordBits; word < words_; ++word) {
    uint64_t clear = ~line[word];
    if (word == from / kWordBits) clear &= ~uint64_t(0) << (from % kWordBits);
    if (clear) return std::min(word * kWordBits + std::countr_zero(clear), columns_);
  }
  return columns_;
}

void DirtyTiles::Take(std::vector<PixelRect>& into) {
  // Runs of changed tiles along each tile row, top to bottom and left to right: the banded
  // order in which a screen region can take them in one call.
  if (!any_) return;
  for (int row = 0; row < rows_; ++row) {
    if (!RowMarked(row)) continue;
    uint64_t* line = Line(row);
    const int y = row * kTile + row_top_[size_t(row)];
    const int h = row * kTile + row_bottom_[size_t(row)] + 1 - y;
    for (int start = NextMarked(line, 0); start < columns_;) {
      const int end = NextUnmarked(line, start);
      into.push_back({start * kTile, y, std::min(end * kTile, width_) - start * kTile, h});
      start = NextMarked(line, end);
    }
    std::fill(line, line + words_, uint64_t(0));
    row_top_[size_t(row)] = kTile;
    row_bottom_[size_t(row)] = 0;
  }
  any_ = false;
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
