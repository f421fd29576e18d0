#include "platform/core/Surface.h"

#include <gtest/gtest.h>

namespace {

Surface Filled(int w, int h, Colour c) {
  return Surface(w, h, c);
}

}  // namespace

TEST(Surface, RasterOperationsAreBitwiseOnTheColourValues) {
  Surface dst = Filled(4, 4, RGB(0x0F, 0xF0, 0x33));
  const Surface src = Filled(2, 2, RGB(0xFF, 0x0F, 0x11));
  BitBlt(dst, 0, 0, 2, 2, src, 0, 0, RasterOp::SRCAND);
  EXPECT_EQ(dst.GetPixel(1, 1), RGB(0x0F, 0x00, 0x11));
  BitBlt(dst, 2, 2, 2, 2, src, 0, 0, RasterOp::SRCPAINT);
  EXPECT_EQ(dst.GetPixel(3, 3), RGB(0xFF, 0xFF, 0x33));
  BitBlt(dst, 2, 0, 2, 2, src, 0, 0, RasterOp::SRCCOPY);
  EXPECT_EQ(dst.GetPixel(2, 0), RGB(0xFF, 0x0F, 0x11));
  EXPECT_EQ(dst.GetPixel(1, 3), RGB(0x0F, 0xF0, 0x33));  // untouched
}

TEST(Surface, EverythingIsClippedAtTheEdges) {
  Surface dst = Filled(10, 10, kBlack);
  const Surface src = Filled(6, 6, kWhite);
  BitBlt(dst, -3, 7, 6, 6, src, 0, 0, RasterOp::SRCCOPY);
  EXPECT_EQ(dst.GetPixel(0, 7), kWhite);
  EXPECT_EQ(dst.GetPixel(2, 9), kWhite);
  EXPECT_EQ(dst.GetPixel(3, 9), kBlack);
  EXPECT_EQ(dst.GetPixel(0, 6), kBlack);
  dst.SetPixelV(-1, 0, kWhite);
  dst.SetPixelV(10, 0, kWhite);
  EXPECT_EQ(dst.GetPixel(-1, 0), CLR_INVALID);
  StretchBlt(dst, 8, -4, 8, 8, src, 0, 0, 6, 6, RasterOp::SRCCOPY);
  EXPECT_EQ(dst.GetPixel(9, 3), kWhite);
  EXPECT_EQ(dst.GetPixel(9, 4), kBlack);
}

TEST(Surface, StretchPicksTheSourcePixelUnderEachCentre) {
  Surface src(4, 1, kBlack);
  for (int x = 0; x < 4; ++x) src.SetPixelV(x, 0, RGB(x + 1, 0, 0));
  Surface half(2, 1, kBlack);
  StretchBlt(half, 0, 0, 2, 1, src, 0, 0, 4, 1, RasterOp::SRCCOPY);
  EXPECT_EQ(half.GetPixel(0, 0), RGB(2, 0, 0));  // centre 0.5 of 2 -> source x 1
  EXPECT_EQ(half.GetPixel(1, 0), RGB(4, 0, 0));
  Surface wide(8, 1, kBlack);
  StretchBlt(wide, 0, 0, 8, 1, src, 0, 0, 4, 1, RasterOp::SRCCOPY);
  for (int x = 0; x < 8; ++x) EXPECT_EQ(wide.GetPixel(x, 0), RGB(x / 2 + 1, 0, 0));
}

TEST(DirtyTiles, ChangedAreasComeBackAsBandedTileRuns) {
  Surface s(100, 40, kBlack);
  s.TrackChanges(true);
  EXPECT_FALSE(s.Changes().Any());
  s.SetPixelV(1, 1, kWhite);
  s.SetPixelV(20, 2, kWhite);  // the next tile: one run with the first
  s.SetPixelV(99, 39, kWhite);
  BitBlt(s, 40, 10, 10, 10, Surface(10, 10, kWhite), 0, 0,
         RasterOp::SRCCOPY);  // tiles 2-3, rows 0-1
  const auto rects = s.Changes().Take();
  const std::vector<PixelRect> expected = {{0, 0, 64, 16}, {32, 16, 32, 16}, {96, 32, 4, 8}};
  EXPECT_EQ(rects, expected);
  EXPECT_FALSE(s.Changes().Any());
  EXPECT_TRUE(s.Changes().Take().empty());
}

TEST(DirtyTiles, RunsOfTheSameColumnsJoinDownwardsAndCoverTheSamePixels) {
  DirtyTiles tiles;
  tiles.Reset(160, 80);
  tiles.Mark(0, 0, 32, 48);    // columns 0-1, three bands: one rectangle
  tiles.Mark(64, 0, 16, 16);   // a run that ends
  tiles.Mark(64, 32, 16, 16);  // ... and one in the same columns after a gap: no join
  tiles.Mark(96, 16, 48, 16);  // wider in band 1 than below it in band 2
  tiles.Mark(96, 32, 16, 32);
  std::vector<PixelRect> rects = tiles.Take();
  const std::vector<PixelRect> banded = rects;
  JoinColumns(rects);
  const std::vector<PixelRect> expected = {
      {0, 0, 32, 48}, {64, 0, 16, 16}, {96, 16, 48, 16}, {64, 32, 16, 16}, {96, 32, 16, 32}};
  EXPECT_EQ(rects, expected);

  auto covered = [](const std::vector<PixelRect>& list) {
    std::vector<int> count(160 * 80, 0);
    for (const PixelRect& r : list) {
      for (int y = r.y; y < r.y + r.height; ++y) {
        for (int x = r.x; x < r.x + r.width; ++x) ++count[size_t(y * 160 + x)];
      }
    }
    return count;
  };
  EXPECT_EQ(covered(rects), covered(banded));  // every pixel once, as before
}
