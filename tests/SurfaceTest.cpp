#include "platform/core/Surface.h"

#include <array>

#include "platform/core/Mask.h"

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

TEST(DirtyTiles, ChangedAreasComeBackAsBandedTileRunsOverTheMarkedRows) {
  Surface s(100, 40, kBlack);
  s.TrackChanges(true);
  EXPECT_FALSE(s.Changes().Any());
  s.SetPixelV(1, 1, kWhite);
  s.SetPixelV(20, 2, kWhite);  // the next tile: one run with the first
  s.SetPixelV(99, 39, kWhite);
  BitBlt(s, 40, 10, 10, 10, Surface(10, 10, kWhite), 0, 0,
         RasterOp::SRCCOPY);  // tiles 2-3, rows 0-1
  const auto rects = s.Changes().Take();
  // Tile row 0: one run of tiles 0-3 over rows 1 to 15; row 1: the blit's last four rows;
  // row 2: the one pixel's row.
  const std::vector<PixelRect> expected = {{0, 1, 64, 15}, {32, 16, 32, 4}, {96, 39, 4, 1}};
  EXPECT_EQ(rects, expected);
  EXPECT_FALSE(s.Changes().Any());
  EXPECT_TRUE(s.Changes().Take().empty());
}

TEST(DirtyTiles, RunsAcrossManyColumnsComeBackWhole) {
  // 1930 pixels: 121 tile columns, so runs cross from one word of the map into the next and
  // the last column is a partial tile. Random marks against a plain map of every pixel.
  constexpr int W = 1930, H = 70;
  DirtyTiles tiles;
  tiles.Reset(W, H);
  std::vector<uint8_t> changed(size_t(W) * H, 0);
  uint32_t seed = 12345;
  auto next = [&seed](int n) {
    seed = seed * 1103515245u + 12345u;
    return int((seed >> 8) % uint32_t(n));
  };
  for (int round = 0; round < 3; ++round) {
    for (int i = 0; i < 40; ++i) {
      const int x = next(W + 40) - 20, y = next(H + 20) - 10, w = next(300), h = next(30);
      tiles.Mark(x, y, w, h);
      for (int py = std::max(y, 0); py < std::min(y + h, H); ++py) {
        for (int px = std::max(x, 0); px < std::min(x + w, W); ++px)
          changed[size_t(py * W + px)] = 1;
      }
    }
    tiles.MarkPixel(W - 1, H - 1);
    changed[size_t(W * H - 1)] = 1;
    tiles.MarkPixel(64 * DirtyTiles::kTile, 0);  // the first column of the second word
    changed[size_t(64 * DirtyTiles::kTile)] = 1;

    std::vector<PixelRect> rects = {{-1, -1, 1, 1}};  // Take adds to what is there
    tiles.Take(rects);
    ASSERT_EQ(rects.front(), (PixelRect{-1, -1, 1, 1}));
    std::vector<int> covered(size_t(W) * H, 0);
    for (size_t i = 1; i < rects.size(); ++i) {
      const PixelRect& r = rects[i];
      ASSERT_TRUE(r.x >= 0 && r.y >= 0 && r.x + r.width <= W && r.y + r.height <= H);
      if (i > 1) {  // banded: by top, then left, and no two runs touch along a band
        const PixelRect& p = rects[i - 1];
        ASSERT_TRUE(p.y < r.y || (p.y == r.y && p.x + p.width < r.x)) << i;
      }
      for (int y = r.y; y < r.y + r.height; ++y) {
        for (int x = r.x; x < r.x + r.width; ++x) ++covered[size_t(y * W + x)];
      }
    }
    // Trimmed: the first and last rows of each band's rectangles hold a changed pixel.
    auto changedIn = [&](int x0, int x1, int y0, int y1) {
      for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
          if (changed[size_t(y * W + x)]) return true;
        }
      }
      return false;
    };
    for (size_t i = 1; i < rects.size(); ++i) {
      const PixelRect& r = rects[i];
      if (i > 1 && rects[i - 1].y == r.y) continue;  // not the first of its band
      bool top = false, bottom = false;
      for (size_t j = i; j < rects.size() && rects[j].y == r.y; ++j) {
        top = top || changedIn(rects[j].x, rects[j].x + rects[j].width, r.y, r.y + 1);
        bottom = bottom || changedIn(rects[j].x, rects[j].x + rects[j].width, r.y + r.height - 1,
                                     r.y + r.height);
      }
      ASSERT_TRUE(top && bottom) << i;
    }
    // Every changed pixel is covered once, and a covered pixel's tile holds a changed one.
    constexpr int T = DirtyTiles::kTile, columns = (W + T - 1) / T;
    std::vector<uint8_t> tileChanged(size_t(columns) * ((H + T - 1) / T), 0);
    for (int y = 0; y < H; ++y) {
      for (int x = 0; x < W; ++x) {
        if (changed[size_t(y * W + x)]) tileChanged[size_t(y / T * columns + x / T)] = 1;
      }
    }
    for (int y = 0; y < H; ++y) {
      for (int x = 0; x < W; ++x) {
        const size_t i = size_t(y * W + x);
        ASSERT_LE(covered[i], 1) << x << "," << y;
        if (changed[i]) {
          ASSERT_EQ(covered[i], 1) << x << "," << y;
        }
        if (covered[i]) {
          ASSERT_TRUE(tileChanged[size_t(y / T * columns + x / T)]) << x << "," << y;
        }
      }
    }
    EXPECT_FALSE(tiles.Any());
    std::fill(changed.begin(), changed.end(), uint8_t(0));
  }
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

TEST(Mask, CombinesExactlyAsTheFullColourPictureOfTheSameBlackAndWhite) {
  // A mask and a surface of the same black and white pixels, random; every operation, at
  // places that clip on every side, into a destination of random colours.
  uint32_t seed = 99;
  auto next = [&seed] {
    seed ^= seed << 13, seed ^= seed >> 17, seed ^= seed << 5;
    return seed;
  };
  Mask mask(23, 17, kWhite);
  Surface picture(23, 17, kWhite);
  for (int y = 0; y < 17; ++y) {
    for (int x = 0; x < 23; ++x) {
      const Colour c = next() % 3 == 0 ? kBlack : kWhite;
      mask.SetPixelV(x, y, c);
      picture.SetPixelV(x, y, c);
    }
  }
  Surface background(40, 30, kBlack);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) background.SetPixelV(x, y, next() & 0xFFFFFF);
  }
  for (RasterOp op : {RasterOp::SRCCOPY, RasterOp::SRCAND, RasterOp::SRCPAINT}) {
    for (auto [x, y, sx, sy] :
         {std::array{5, 5, 0, 0}, {-4, -3, 0, 0}, {30, 20, 2, 1}, {1, 2, -2, 3}}) {
      Surface withMask = background, withPicture = background;
      BitBlt(withMask, x, y, 23, 17, mask, sx, sy, op);
      BitBlt(withPicture, x, y, 23, 17, picture, sx, sy, op);
      for (int py = 0; py < 30; ++py) {
        for (int px = 0; px < 40; ++px) {
          ASSERT_EQ(withMask.GetPixel(px, py), withPicture.GetPixel(px, py))
              << int(op) << " at " << x << "," << y << ": " << px << "," << py;
        }
      }
    }
  }
  // Scaled, a mask picks the same source pixels as the picture does.
  Mask small(9, 13, kBlack);
  Surface smallPicture(9, 13, kBlack);
  StretchBlt(small, -1, 0, 10, 13, mask, 0, 0, 23, 17, RasterOp::SRCCOPY);
  StretchBlt(smallPicture, -1, 0, 10, 13, picture, 0, 0, 23, 17, RasterOp::SRCCOPY);
  for (int y = 0; y < 13; ++y) {
    for (int x = 0; x < 9; ++x) ASSERT_EQ(small.GetPixel(x, y), smallPicture.GetPixel(x, y));
  }
  // A mask is black and white only, and answers outside itself as a surface does.
  mask.SetPixelV(0, 0, RGB(200, 200, 200));
  EXPECT_EQ(mask.GetPixel(0, 0), kBlack);
  EXPECT_EQ(mask.GetPixel(23, 0), CLR_INVALID);
}

TEST(Surface, ABlockIsWhatItsPixelsOneByOneWouldBe) {
  // 2 x 2 blocks everywhere along and across the edges and the tile borders, into one
  // surface, and pixel by pixel into another: the same pixels, the same changed tiles.
  Surface blocks(40, 35, kBlack), pixels(40, 35, kBlack);
  blocks.TrackChanges(true);
  pixels.TrackChanges(true);
  Colour colour = 1;
  for (int y = -3; y <= 36; y += 5) {
    for (int x = -2; x <= 41; x += 3) {
      colour = colour * 2654435761u & 0xFFFFFF;
      blocks.FillRect(x, y, 2, 2, colour);
      for (auto [dx, dy] : {std::pair{0, 0}, {1, 0}, {0, 1}, {1, 1}}) {
        pixels.SetPixelV(x + dx, y + dy, colour);
      }
      ASSERT_EQ(blocks.Changes().Take(), pixels.Changes().Take()) << x << "," << y;
    }
  }
  for (int y = 0; y < 35; ++y) {
    for (int x = 0; x < 40; ++x) ASSERT_EQ(blocks.GetPixel(x, y), pixels.GetPixel(x, y));
  }
}
