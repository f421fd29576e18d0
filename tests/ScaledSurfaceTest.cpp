// The scene on screens of many pixels: which screens scale, and that a scaled scene reaches
// the device pixels square by square, while an unscaled one is drawn into them directly.
#include "platform/core/ScaledSurface.h"

#include <gtest/gtest.h>

namespace {

Colour DevicePixel(const ScaledSurface& screen, int x, int y) {
  return FromStored(screen.DevicePixels()[size_t(y) * size_t(screen.DeviceWidth()) + size_t(x)]);
}

}  // namespace

TEST(ScreenScale, LargeScreensAndToolkitRatiosScaleByWholeNumbers) {
  EXPECT_EQ(ScreenScale(1920, 1080, 1.0), 1);
  EXPECT_EQ(ScreenScale(2560, 1600, 1.0), 1);  // a shorter side of 1600 is not yet large
  EXPECT_EQ(ScreenScale(2560, 1601, 1.0), 2);
  EXPECT_EQ(ScreenScale(2160, 3840, 1.0), 2);  // a portrait screen by its shorter side
  EXPECT_EQ(ScreenScale(7680, 4320, 1.0), 4);
  EXPECT_EQ(ScreenScale(1280, 720, 2.0), 2);
  EXPECT_EQ(ScreenScale(1280, 720, 1.25), 1);
  EXPECT_EQ(ScreenScale(3840, 2160, 3.0), 3);  // the larger of the two rules
}

TEST(ScaledSurface, AtScaleOneTheSceneDrawsStraightIntoTheDevicePixels) {
  std::vector<uint32_t> device(8 * 6, 0x12345678);
  ScaledSurface screen;
  screen.Attach(device.data(), 8, 6, 1);
  EXPECT_EQ(screen.Scene().Width(), 8);
  EXPECT_EQ(FromStored(device[0]), kBlack);  // cleared on attaching
  screen.TakeChanges();
  screen.Scene().SetPixelV(5, 4, RGB(1, 2, 3));
  EXPECT_EQ(FromStored(device[4 * 8 + 5]), RGB(1, 2, 3));  // before any copy
  const std::vector<PixelRect> changed = screen.TakeChanges();
  ASSERT_EQ(changed.size(), 1u);
  EXPECT_EQ(changed[0], (PixelRect{0, 4, 8, 1}));  // the tile, over the changed row only
}

TEST(ScaledSurface, AtScaleTwoAStarBecomesFourByFourAndOnlyWhatChangedIsCopied) {
  ScaledSurface screen;
  screen.Attach(nullptr, 81, 41, 2);  // odd sizes: the last column and row stay black
  ASSERT_EQ(screen.Scene().Width(), 40);
  ASSERT_EQ(screen.Scene().Height(), 20);
  screen.TakeChanges();

  Surface& scene = screen.Scene();
  for (int dx = 0; dx < 2; ++dx) {
    for (int dy = 0; dy < 2; ++dy) scene.SetPixelV(20 + dx, 3 + dy, RGB(200, 100, 50));
  }
  EXPECT_EQ(DevicePixel(screen, 40, 6), kBlack);  // not copied until asked
  const std::vector<PixelRect> changed = screen.TakeChanges();
  ASSERT_EQ(changed.size(), 1u);
  EXPECT_EQ(changed[0], (PixelRect{32, 6, 32, 4}));  // the star's tile and rows, doubled
  for (int x = 38; x < 46; ++x) {
    for (int y = 4; y < 12; ++y) {
      const bool star = x >= 40 && x < 44 && y >= 6 && y < 10;
      EXPECT_EQ(DevicePixel(screen, x, y), star ? RGB(200, 100, 50) : kBlack) << x << "," << y;
    }
  }

  scene.Cls(kWhite);
  screen.TakeChanges();
  EXPECT_EQ(DevicePixel(screen, 79, 39), kWhite);
  EXPECT_EQ(DevicePixel(screen, 80, 39), kBlack);
  EXPECT_EQ(DevicePixel(screen, 79, 40), kBlack);
}

TEST(ScaledSurface, AMuchSmallerWindowShowsItsScreensSceneShrunkKeepingEveryStar) {
  EXPECT_EQ(PreviewShrink(300, 200, 1280, 720), 3);  // a settings program's preview pane
  EXPECT_EQ(PreviewShrink(1280, 720, 1280, 720), 1);
  EXPECT_EQ(PreviewShrink(700, 400, 1280, 720), 1);  // more than half the screen: as it is

  ScaledSurface screen;
  screen.Attach(nullptr, 40, 20, 1, 3);
  ASSERT_EQ(screen.Scene().Width(), 120);
  ASSERT_EQ(screen.Scene().Height(), 60);
  screen.TakeChanges();
  // A dim red star straddling two device pixels, and a brighter blue pixel in one of them.
  Surface& scene = screen.Scene();
  for (int dx = 0; dx < 2; ++dx) {
    for (int dy = 0; dy < 2; ++dy) scene.SetPixelV(32 + dx, 10 + dy, RGB(90, 0, 0));
  }
  scene.SetPixelV(35, 11, RGB(0, 0, 200));
  const std::vector<PixelRect> changed = screen.TakeChanges();
  ASSERT_EQ(changed.size(), 1u);
  EXPECT_EQ(changed[0], (PixelRect{10, 3, 6, 1}));         // scene 32..47, 10..11, shrunk
  EXPECT_EQ(DevicePixel(screen, 10, 3), RGB(90, 0, 0));    // scene 30..32, 9..11
  EXPECT_EQ(DevicePixel(screen, 11, 3), RGB(90, 0, 200));  // scene 33..35: each channel's most
  EXPECT_EQ(DevicePixel(screen, 12, 3), kBlack);
  EXPECT_EQ(DevicePixel(screen, 10, 4), kBlack);

  LineGeometry beam;
  beam.X1 = 0, beam.Y1 = 60, beam.X2 = 60, beam.Y2 = 30, beam.Width = 5;
  const LineGeometry device = screen.ToDevice(beam);
  EXPECT_EQ(device.Y1, 20.0f);
  EXPECT_EQ(device.X2, 20.0f);
  EXPECT_EQ(screen.ToScene(10.0f), 30.0f);
}

TEST(ScaledSurface, BeamsAndPointsMapBetweenSceneAndDevice) {
  ScaledSurface screen;
  screen.Attach(nullptr, 200, 100, 2);
  LineGeometry beam;
  beam.X1 = 10, beam.Y1 = 20, beam.X2 = 30, beam.Y2 = 20;
  beam.Visible = true;
  const LineGeometry device = screen.ToDevice(beam);
  EXPECT_FLOAT_EQ(device.X1, 20.5f);  // the centre of the scene pixel's square
  EXPECT_FLOAT_EQ(device.X2, 60.5f);
  EXPECT_FLOAT_EQ(device.Y1, 40.5f);
  EXPECT_FLOAT_EQ(device.Width, 2 * LineGeometry::kWidth);
  EXPECT_TRUE(device.Visible);
  EXPECT_FLOAT_EQ(screen.ToScene(41), 20.5f);

  screen.Attach(nullptr, 200, 100, 1);
  EXPECT_EQ(screen.ToDevice(beam), beam);
}
