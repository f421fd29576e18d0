// Which parts of a surface changed, kept as a map of 16 x 16 pixel tiles. Marking is a few
// byte writes, and the changed area comes back as a short list of rectangles: cheap to
// gather, cheap to hand to the screen.
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
    const int row = y / kTile;
    tiles_[size_t(row) * size_t(columns_) + size_t(x / kTile)] = 1;
    rows_marked_[size_t(row)] = 1;
    any_ = true;
  }
  void MarkAll() { Mark(0, 0, width_, height_); }
  bool Any() const { return any_; }

  // The changed area as rectangles clipped to the surface, in banded order (sorted by top,
  // then left; rectangles of one tile row share top and height); forgets it.
  std::vector<PixelRect> Take();

 private:
  int width_ = 0, height_ = 0;
  int columns_ = 0, rows_ = 0;
  std::vector<uint8_t> tiles_;
  std::vector<uint8_t> rows_marked_;  // rows of tiles with any marked, so Take skips the rest
  bool any_ = false;
};

// Banded rectangles (as Take gives them) with each run of the same columns in consecutive
// bands joined into one taller rectangle. The result covers the same pixels, no longer banded.
void JoinColumns(std::vector<PixelRect>& rects);
