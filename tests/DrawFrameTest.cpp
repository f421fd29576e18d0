#include <gtest/gtest.h>

#include <cmath>

#include "tests/DisplayFixture.h"

namespace {

// A form with prepared sprites (default medium picture) on an 800 x 600 window, every slot
// parked out of the way so each test moves only the slots it sets up.
class DrawFrameTest : public DisplayFixture {
 protected:
  void SetUp() override {
    settings.PicCount = 0;
    settings.StarCount = 0;
    Activate();
    window.surface.Cls(kBlack);
  }

  // Slot i, as if drawn last frame at (x, y) with size step `size`, flying at `radius` / angle 0.
  void Place(int i, int16_t x, int16_t y, int16_t size, double radius, double velocity = 0) {
    Put(i, x, y, size);
    SlotState slot = probe.Slot(i);
    slot.Radius = radius;
    slot.Angle = 0;
    slot.Velocity = velocity;
    probe.PlaceSlot(i, slot);
  }

  int NonBlackPixels() const {
    int n = 0;
    for (int y = 0; y < 600; ++y)
      for (int x = 0; x < 800; ++x) n += window.surface.GetPixel(x, y) != kBlack;
    return n;
  }
};

}  // namespace

TEST_F(DrawFrameTest, AnImageIsDrawnCentredOnItsPositionAtItsSizeStep) {
  settings.PicCount = 1;
  Place(1, 0, 0, 0, 200);  // radius 0.5 x CenterX: step floor(25) + 2 = 27
  form.DrawFrame();
  EXPECT_EQ(probe.Slot(1).SizeIndex, 27);
  EXPECT_EQ(probe.Slot(1).ScreenX, 600);
  EXPECT_EQ(probe.Slot(1).ScreenY, 300);

  Place(1, 0, 0, 0, 0.96 * 400);
  form.DrawFrame();
  EXPECT_EQ(probe.Slot(1).SizeIndex, 50);
  Place(1, 0, 0, 0, 2000);
  form.DrawFrame();
  EXPECT_EQ(probe.Slot(1).SizeIndex, 50);  // capped
}

TEST_F(DrawFrameTest, The58By90SpriteAt400300CoversItsBlockExactly) {
  settings.PicCount = 1;
  window.surface.Cls(kBlack);
  // Step 25 of the medium picture is 58 x 90; radius 0 keeps the slot at the centre (400, 300)
  // with step 2, so draw the step-25 block by hand the way a frame does.
  const Surface& sprite = probe.picArray(25);
  ASSERT_EQ(sprite.Width(), 58);
  ASSERT_EQ(sprite.Height(), 90);
  BitBlt(window.surface, 400 - 58 / 2, 300 - 90 / 2, 58, 90, sprite, 0, 0, RasterOp::SRCPAINT);
  int minX = 800, maxX = -1, minY = 600, maxY = -1;
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 800; ++x)
      if (window.surface.GetPixel(x, y) != kBlack) {
        minX = std::min(minX, x), maxX = std::max(maxX, x);
        minY = std::min(minY, y), maxY = std::max(maxY, y);
      }
  EXPECT_GE(minX, 371);
  EXPECT_LE(maxX, 428);
  EXPECT_GE(minY, 255);
  EXPECT_LE(maxY, 344);

  // The frame's own erase of that block leaves black.
  Place(1, 400, 300, 25, 100);
  form.DrawFrame();
  for (int y = 255; y <= 344; ++y)
    for (int x = 371; x <= 428; ++x) {
      const bool newSprite =
          std::abs(x - probe.Slot(1).ScreenX) < 20 && std::abs(y - probe.Slot(1).ScreenY) < 30;
      if (!newSprite) {
        ASSERT_EQ(window.surface.GetPixel(x, y), kBlack) << x << "," << y;
      }
    }
}

TEST_F(DrawFrameTest, StarsBrightenWithDistanceAndEraseTheirOldBlock) {
  settings.StarCount = 1;  // slot 1 is a red star
  Place(1, 10, 10, 0, 50);
  SlotState red = probe.Slot(1);
  red.StarRed = 254, red.StarGreen = 0, red.StarBlue = 0;
  probe.PlaceSlot(1, red);
  window.surface.SetPixelV(10, 10, kWhite);
  window.surface.SetPixelV(11, 11, kWhite);
  form.DrawFrame();
  EXPECT_EQ(window.surface.GetPixel(10, 10), kBlack);
  EXPECT_EQ(window.surface.GetPixel(11, 11), kBlack);
  EXPECT_EQ(window.surface.GetPixel(450, 300), RGB(64, 0, 0));  // 254 x 100 / 400 = 63.5 -> 64
  EXPECT_EQ(window.surface.GetPixel(451, 301), RGB(64, 0, 0));
  EXPECT_EQ(window.surface.GetPixel(452, 300), kBlack);

  Place(1, 450, 300, 0, 200);
  form.DrawFrame();
  EXPECT_EQ(window.surface.GetPixel(600, 300), RGB(254, 0, 0));
  EXPECT_EQ(window.surface.GetPixel(450, 300), kBlack);
}

TEST_F(DrawFrameTest, ASlotIsReseededTheFrameAfterItWasDrawnOutside) {
  settings.StarCount = 1;
  for (auto [x, reseeded] : {std::pair{799, false}, {800, true}, {-1, true}}) {
    Place(1, int16_t(x), 300, 0, 300, 1);
    form.DrawFrame();
    EXPECT_EQ(probe.Slot(1).Radius < 100, reseeded) << x;  // re-seeded stars start at 50
  }
}

TEST_F(DrawFrameTest, MotionGrowsTheRadiusAndSpinsOnlyWhatShouldSpin) {
  settings.PicCount = 1;
  settings.StarCount = 1;
  settings.SpinRatio = 1;
  Place(1, 400, 300, 2, 90, 3);
  Place(2, 400, 300, 0, 90, 3);
  probe.PlaceSpin(-1);
  form.DrawFrame();
  EXPECT_DOUBLE_EQ(probe.Slot(1).Radius, 93.0);  // x (1 + 1 x 3 / 90)
  EXPECT_EQ(probe.Slot(1).Angle, -3.0);
  EXPECT_EQ(probe.Slot(2).Angle, 0.0);  // stars fly straight unless SpinSwitch
  settings.SpinSwitch = 1;
  form.DrawFrame();
  EXPECT_EQ(probe.Slot(2).Angle, -3.0);
  probe.PlaceSpin(0);
  form.DrawFrame();
  EXPECT_EQ(probe.Slot(1).Angle, -6.0);

  Place(2, 400, 300, 0, 90, 0);  // a rate of exactly 0: no growth, no division by zero
  form.DrawFrame();
  EXPECT_EQ(probe.Slot(2).Radius, 90.0);
}

TEST_F(DrawFrameTest, EveryFrameProjectsTheAngleTheSlotHasNow) {
  // Whether the angle turns, stands still, or is set anew between frames (as a reseed does),
  // the position is the projection of the angle of that frame.
  settings.StarCount = 1;
  settings.SpinSwitch = 1;
  settings.SpinRatio = 0;
  Place(1, 400, 300, 0, 120, 2);
  auto expectProjected = [&] {
    const double radians = probe.Slot(1).Angle * double(0.017453292f);
    EXPECT_EQ(probe.Slot(1).ScreenX, int16_t(std::nearbyint(std::cos(radians) * 120 + 400)));
    EXPECT_EQ(probe.Slot(1).ScreenY, int16_t(std::nearbyint(std::sin(radians) * 120 + 300)));
  };
  for (int16_t direction : {1, 1, 0, 0, -1}) {
    probe.PlaceSpin(direction);
    form.DrawFrame();
    expectProjected();
  }
  SlotState turned = probe.Slot(1);
  turned.Angle = 200;
  probe.PlaceSlot(1, turned);
  form.DrawFrame();
  EXPECT_EQ(probe.Slot(1).Angle, 198.0);
  expectProjected();
  EXPECT_LT(probe.Slot(1).ScreenX, 400);  // the far side now
}

TEST_F(DrawFrameTest, AnExplosionShowsTenFramesThenBlackensAndReseeds) {
  settings.PicCount = 1;
  Place(1, 400, 300, 25, 100);
  SlotState hit = probe.Slot(1);
  hit.ExplodeStep = 3;
  probe.PlaceSlot(1, hit);
  // Rectangle for the 58 x 90 step at (400, 300): left 356, top 232, 87 x 135.
  for (int step = 3; step <= 12; ++step) {
    form.DrawFrame();
    EXPECT_EQ(probe.Slot(1).ExplodeStep, step + 1);
    EXPECT_EQ(probe.Slot(1).ScreenX, 400);  // the slot stays put
    const Surface& boom = probe.picBoom(step);
    // The stretched frame's centre pixel and the corners of the rectangle.
    EXPECT_EQ(window.surface.GetPixel(356 + 43, 232 + 67), boom.GetPixel(35, 50)) << step;
    EXPECT_EQ(window.surface.GetPixel(356, 232), boom.GetPixel(0, 0));
  }
  window.surface.SetPixelV(356, 232, kWhite);
  window.surface.SetPixelV(442, 366, kWhite);
  window.surface.SetPixelV(443, 367, kWhite);  // just outside the rectangle
  window.surface.SetPixelV(355, 231, kWhite);
  form.DrawFrame();
  EXPECT_EQ(probe.Slot(1).ExplodeStep, 0);
  EXPECT_EQ(probe.Slot(1).Radius, 10.0);
  EXPECT_EQ(probe.Slot(1).SizeIndex, 0);
  EXPECT_EQ(window.surface.GetPixel(356, 232), kBlack);
  EXPECT_EQ(window.surface.GetPixel(442, 366), kBlack);
  EXPECT_EQ(window.surface.GetPixel(443, 367), kWhite);
  EXPECT_EQ(window.surface.GetPixel(355, 231), kWhite);
  EXPECT_EQ(NonBlackPixels(), 2);
}

TEST_F(DrawFrameTest, ABusySceneLeavesNoTrails) {
  settings.PicCount = 100;
  settings.StarCount = 400;
  settings.TargetPractice = false;
  Activate(1000);
  RunUntil(21000);  // twenty seconds, with automatic fire and explosions
  // Erase every slot where it was last drawn, as the next frame would, and nothing is left.
  for (int i = 1; i <= 500; ++i) {
    if (i <= 100) {
      const int step = probe.Slot(i).ExplodeStep;
      if (step != 0) {
        const Mask& m = probe.picNewMask(probe.Slot(i).SizeIndex);
        Surface black(int(m.Width() * 1.5) + 2, int(m.Height() * 1.5) + 2, kBlack);
        BitBlt(window.surface, probe.Slot(i).ScreenX - int(m.Width() * 0.75) - 1,
               probe.Slot(i).ScreenY - int(m.Height() * 0.75) - 1, black.Width(), black.Height(),
               black, 0, 0, RasterOp::SRCCOPY);
      } else {
        const Mask& m = probe.picNewMask(probe.Slot(i).SizeIndex);
        BitBlt(window.surface, probe.Slot(i).ScreenX - m.Width() / 2,
               probe.Slot(i).ScreenY - m.Height() / 2, m.Width(), m.Height(), m, 0, 0,
               RasterOp::SRCAND);
      }
    } else {
      for (int d = 0; d < 4; ++d)
        window.surface.SetPixelV(probe.Slot(i).ScreenX + d % 2, probe.Slot(i).ScreenY + d / 2,
                                 kBlack);
    }
  }
  EXPECT_EQ(NonBlackPixels(), 0);
}

TEST_F(DrawFrameTest, LaserLinesAreHiddenAtTheEndOfTheSecondFrame) {
  form.FireLaser(100, 100);  // a miss shows the beams
  EXPECT_EQ(probe.View().LaserFrames, 1);
  form.DrawFrame();
  EXPECT_TRUE(window.line1.Geometry().Visible);
  EXPECT_EQ(probe.View().LaserFrames, 2);
  form.DrawFrame();
  EXPECT_FALSE(window.line1.Geometry().Visible);
  EXPECT_FALSE(window.line2.Geometry().Visible);
  EXPECT_EQ(probe.View().LaserFrames, 0);

  form.FireLaser(100, 100);
  settings.ShowLasers = false;
  form.DrawFrame();
  form.DrawFrame();
  EXPECT_EQ(probe.View().LaserFrames, 1);  // never counted without lasers
  EXPECT_TRUE(window.line1.Geometry().Visible);
}

TEST_F(DrawFrameTest, AnErrorEndsTheFrameAndTheNextOneStartsAgain) {
  settings.StarCount = 2;
  Place(1, 400, 300, 0, 1e9, 1);  // projects beyond 16 bits
  Place(2, 400, 300, 0, 100, 1);
  form.FireLaser(10, 10);
  form.DrawFrame();
  EXPECT_EQ(probe.Slot(2).Radius, 100.0);  // slot 2 never reached
  EXPECT_EQ(probe.View().LaserFrames, 1);  // nor the countdown
}
