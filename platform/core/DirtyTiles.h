// Which parts of a surface changed, kept as a map of 16 x 16 pixel tiles, one bit a tile.
// Marking is a few writes, and the changed area comes back as a short list of rectangles:
// cheap to gather, cheap to hand to the screen. Taking them skips unmarked rows of tiles and
// 64 unmarked tiles at a time, as a frame marks a few hundred tiles of the screen's thousands.
//
// A band's rectangles span only the pixel rows marked in it: each row of tiles keeps its first
// and last marked row, so a band of stars costs the screen a few rows, not sixteen. The
// columns stay whole tiles: a tile's row of pixels is one cache line (16 pixels of 4 bytes),
// so a narrower rectangle spares the X server no memory, only makes its copy unaligned
// (measured: fewer pixels, as much server time or more).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct PixelRect {
  int x, y, width, height;
  bool operator==(const PixelRect&) const = default;
};

class DirtyTiles {
 public:
  static constexpr int kTile = 16;

  void Reset(int width, int height);
  void Mark(int x, int y, int width, int height);
  void MarkPixel(int x, int y) {  // a pixel inside the surface
    const int row = y / kTile, column = x / kTile;
    Line(row)[column / kWordBits] |= uint64_t(1) << (column % kWordBits);
    WidenRow(row, y - row * kTile, y - row * kTile);
    any_ = true;
  }
  void MarkAll() { Mark(0, 0, width_, height_); }
  bool Any() const { return any_; }

  // The changed area as rectangles clipped to the surface, in banded order (sorted by top,
  // then left; rectangles of one tile row share top and height, within that row's rows),
  // added to the end of `into`; forgets it. A frame's caller keeps one list and reuses it.
  void Take(std::vector<PixelRect>& into);
  std::vector<PixelRect> Take() {
    std::vector<PixelRect> rects;
    Take(rects);
    return rects;
  }

 private:
  static constexpr int kWordBits = 64;
  uint64_t* Line(int row) { return bits_.data() + size_t(row) * size_t(words_); }
  int NextMarked(const uint64_t* line, int from) const;
  int NextUnmarked(const uint64_t* line, int from) const;
  // The marked rows, as offsets within the tile row; none is kTile..0, so Take skips the row.
  bool RowMarked(int row) const { return row_top_[size_t(row)] < kTile; }
  void WidenRow(int row, int top, int bottom) {
    uint8_t& t = row_top_[size_t(row)];
    uint8_t& b = row_bottom_[size_t(row)];
    if (top < t) t = uint8_t(top);
    if (bottom > b) b = uint8_t(bottom);
  }

  int width_ = 0, height_ = 0;
  int columns_ = 0, rows_ = 0;
  int words_ = 0;                              // words of bits a row of tiles
  std::vector<uint64_t> bits_;                 // bit c of a row's words: tile column c changed
  std::vector<uint8_t> row_top_, row_bottom_;  // a tile row's first and last marked pixel row
  bool any_ = false;
};

// Banded rectangles (as Take gives them) with each run of the same columns in consecutive
// bands joined into one taller rectangle. The result covers the same pixels, no longer banded.
void JoinColumns(std::vector<PixelRect>& rects);
