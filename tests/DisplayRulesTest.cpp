// Rules of the display whose slips no picture would show at once: rounding ties, strict and
// loose comparisons, and what carries over from one showing to the next.
#include <gtest/gtest.h>

#include "tests/DisplayFixture.h"

namespace {

// Counts the draws, so a test can tell whether a rule drew from the generator at all.
class CountingRandom : public DeterministicRandom {
 public:
  float Next() override {
    ++draws;
    return DeterministicRandom::Next();
  }
  int draws = 0;
};

class DisplayRulesTest : public DisplayFixture {
 protected:
  void SetUp() override {
    settings.PicCount = 1;
    settings.StarCount = 0;
    settings.TargetPractice = false;
  }
};

}  // namespace

TEST(SpinDirection, TakesEachOfMinusOneZeroAndOne) {
  modMain::SettingsRecord settings;
  ManualClock clock;
  ScriptedRandom random{0.0f, 0.2f, 0.34f, 0.5f, 0.66f, 0.67f, 0.999f};
  RecordingSound sound;
  EmbeddedMedia media;
  frmStarfield3 form(settings, clock, random, sound, media);
  StarfieldProbe probe{form};
  std::vector<int> seen;
  for (int i = 0; i < 7; ++i) {
    form.ChangeSpinDirection();
    seen.push_back(probe.View().iSPinDirection);
  }
  EXPECT_EQ(seen, (std::vector<int>{-1, -1, 0, 0, 0, 1, 1}));
}

TEST(SpinChange, ComesOnlyOnceItsTimeHasPassed) {
  modMain::SettingsRecord settings;
  modMain::SetDefaultSettings(settings);
  settings.PicCount = 0;
  settings.StarCount = 0;  // nothing else draws from the generator
  ManualClock clock;
  CountingRandom random;
  RecordingSound sound;
  EmbeddedMedia media;
  OffscreenDisplayWindow window(800, 600);
  frmStarfield3 form(settings, clock, random, sound, media);
  StarfieldProbe probe{form};
  clock.Set(1000);
  form.Attach(&window);
  form.Form_Activate();
  // Passes a second apart, as after stalls: each one draws a frame at once and takes one
  // step of the bookkeeping.
  const auto passAt = [&](int64_t t) {
    clock.Set(t);
    form.Form_Paint();
  };
  const int64_t change = probe.Schedule().NextSpinChangeTime;
  for (int64_t t = 2000; t < change; t += 1000) passAt(t);
  const int before = random.draws;
  passAt(change);  // exactly at its time: not yet
  EXPECT_EQ(random.draws, before);
  passAt(change + 1);
  EXPECT_EQ(random.draws, before + 2);  // the direction, then the next change's time
}

TEST_F(DisplayRulesTest, CentreTiesGoToTheEvenNeighbour) {
  OffscreenDisplayWindow odd(1365, 767);
  clock.Set(1000);
  form.Attach(&odd);
  form.Form_Activate();
  EXPECT_EQ(probe.View().CenterX, 682);  // 682.5
  EXPECT_EQ(probe.View().CenterY, 384);  // 383.5
  EXPECT_EQ(probe.View().MaxX, 1365);
}

TEST_F(DisplayRulesTest, EachShowingStartsWithNoRememberedPointer) {
  Activate(1000);
  form.Form_MouseMove(0, 0, 100, 100);
  ASSERT_EQ(probe.View().LastMouseX, 100);
  form.Form_Activate();  // shown again
  EXPECT_EQ(probe.View().LastMouseX, 0);
  EXPECT_EQ(probe.View().LastMouseY, 0);
  form.Form_MouseMove(0, 0, 300, 300);  // far from (100, 100), but only recorded
  EXPECT_EQ(window.unloads, 0);
  form.Form_MouseMove(0, 0, 305, 300);  // exactly five along X closes
  EXPECT_EQ(window.unloads, 1);
}

TEST_F(DisplayRulesTest, AMissMeetsTenPixelsApartAtThePointer) {
  Activate(1000);
  Put(1, 100, 100, 25);
  form.FireLaser(500, 400);
  EXPECT_EQ(window.line1.Geometry().X2, 495.0f);
  EXPECT_EQ(window.line2.Geometry().X2, 505.0f);
  EXPECT_EQ(window.line1.Geometry().Y2, 400.0f);
  EXPECT_EQ(window.line2.Geometry().Y2, 400.0f);
}

TEST_F(DisplayRulesTest, BeamsAndAutoFireCarryOverToTheNextShowing) {
  settings.TargetPractice = false;  // automatic fire from the start
  Activate(1000);
  Put(1, 400, 300, 25);
  form.FireLaser(400, 300);  // white: the cycle moves on to blue
  clock.Set(1010);
  form.Form_Paint();  // automatic fire's turn: the next one at 1110
  ASSERT_EQ(probe.Schedule().NextAutoFireTime, 1110);
  const int16_t frames = probe.View().LaserFrames;
  form.Form_Unload();
  Activate(2000);
  EXPECT_EQ(probe.Schedule().NextAutoFireTime, 1110);
  EXPECT_EQ(probe.View().LaserFrames, frames);
  Put(1, 400, 300, 25);
  form.FireLaser(400, 300);
  EXPECT_EQ(window.line1.Geometry().BorderColor, RGB(0, 0, 255));
}

TEST_F(DisplayRulesTest, TheFirstFrameErasesStarsAtTheTopLeftCorner) {
  settings.PicCount = 0;
  settings.StarCount = 3;
  Activate(1000);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) window.surface.SetPixelV(x, y, kWhite);
  form.DrawFrame();
  EXPECT_EQ(window.surface.GetPixel(0, 0), kBlack);
  EXPECT_EQ(window.surface.GetPixel(1, 1), kBlack);
  EXPECT_EQ(window.surface.GetPixel(2, 0), kWhite);  // a 2 x 2 block, no more
}

TEST_F(DisplayRulesTest, AnExplosionRectangleRoundsItsHalvesToEven) {
  Activate(1000);
  window.surface.Cls(kWhite);
  Put(1, 400, 300, 25);  // the 58 x 90 step: 400 - 43.5 and 300 - 67.5 are ties
  SlotState ending = probe.Slot(1);
  ending.ExplodeStep = 13;  // the blackening step: the whole rectangle turns black
  probe.PlaceSlot(1, ending);
  form.DrawFrame();
  EXPECT_EQ(window.surface.GetPixel(356, 232), kBlack);
  EXPECT_EQ(window.surface.GetPixel(442, 366), kBlack);
  EXPECT_EQ(window.surface.GetPixel(355, 300), kWhite);
  EXPECT_EQ(window.surface.GetPixel(400, 231), kWhite);
  EXPECT_EQ(window.surface.GetPixel(443, 300), kWhite);
  EXPECT_EQ(window.surface.GetPixel(400, 367), kWhite);
}
