#include <gtest/gtest.h>

#include "tests/DisplayFixture.h"

namespace {

// Images parked where the test puts them: slot i at (x, y) with size step k.
class LasersTest : public DisplayFixture {
 protected:
  void SetUp() override {
    settings.PicCount = 3;
    settings.StarCount = 0;
    Activate(1000);
  }
  const LineGeometry& L1() const { return window.line1.Geometry(); }
  const LineGeometry& L2() const { return window.line2.Geometry(); }
};

constexpr Colour kWhiteBeam = RGB(255, 255, 255), kBlueBeam = RGB(0, 0, 255);
constexpr Colour kRedBeam = RGB(255, 0, 0), kGreenBeam = RGB(0, 255, 0);

}  // namespace

TEST_F(LasersTest, TheBoxIsOpenAndTheFirstSlotThatContainsThePointTakesTheShot) {
  // Step 25 of the medium picture: 58 x 90, so the box of (400, 300) is x 371..429, y 255..345.
  Put(1, 400, 300, 25);
  Put(2, 410, 300, 25);
  Put(3, 100, 100, 25);
  form.FireLaser(371, 300);  // on the left edge: outside
  EXPECT_EQ(probe.Slot(1).ExplodeStep, 0);
  form.FireLaser(400, 345);  // on the bottom edge: outside
  EXPECT_EQ(probe.Slot(1).ExplodeStep, 0);
  form.FireLaser(405, 300);  // inside both 1 and 2: only the lower slot
  EXPECT_EQ(probe.Slot(1).ExplodeStep, 3);
  EXPECT_EQ(probe.Slot(2).ExplodeStep, 0);
  form.FireLaser(405, 300);  // 1 is exploding and lets the shot through to 2
  EXPECT_EQ(probe.Slot(2).ExplodeStep, 3);
  form.FireLaser(405, 300);  // both exploding: a miss
  EXPECT_EQ(L1().BorderColor, kGreenBeam);
}

TEST_F(LasersTest, HitBeamsCycleWhiteBlueRedAndMeetAQuarterWidthFromTheCentre) {
  const Colour expected[] = {kWhiteBeam, kBlueBeam, kRedBeam, kWhiteBeam};
  for (Colour colour : expected) {
    Put(1, 400, 300, 25);
    form.FireLaser(400, 300);
    EXPECT_EQ(L1().BorderColor, colour);
    EXPECT_EQ(L2().BorderColor, colour);
    form.FireLaser(10, 590);  // misses are green and leave the cycle alone
    EXPECT_EQ(L1().BorderColor, kGreenBeam);
  }
  Put(1, 400, 300, 25);
  form.FireLaser(401, 301);
  EXPECT_EQ(L1().X2, 400 - 58 * 0.25f);
  EXPECT_EQ(L2().X2, 400 + 58 * 0.25f);
  EXPECT_EQ(L1().Y2, 300.0f);
  EXPECT_EQ(L1().X1, 0.0f);  // from the bottom corners
  EXPECT_EQ(L1().Y1, 600.0f);
  EXPECT_EQ(L2().X1, 800.0f);
  EXPECT_TRUE(L1().Visible && L2().Visible);
  EXPECT_EQ(probe.View().LaserFrames, 1);
}

TEST_F(LasersTest, ShowLasersAndSoundChooseBeamsAndEffects) {
  struct Case {
    bool lasers, sound;
    const uint8_t* hit;
    const uint8_t* miss;
    bool beams;
  };
  const Case cases[] = {{true, true, probe.SndLaserExplode().data(), probe.SndLaser().data(), true},
                        {false, true, probe.SndExplode().data(), nullptr, false},
                        {true, false, nullptr, nullptr, true},
                        {false, false, nullptr, nullptr, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "lasers " << c.lasers << " sound " << c.sound);
    settings.ShowLasers = c.lasers;
    settings.Sound = c.sound;
    window.line1.SetVisible(false);
    sound.played.clear();
    Put(1, 400, 300, 25);
    form.FireLaser(400, 300);
    EXPECT_EQ(probe.Slot(1).ExplodeStep, 3);  // a hit always explodes
    EXPECT_EQ(L1().Visible, c.beams);
    form.FireLaser(20, 20);
    std::vector<const uint8_t*> expected;
    if (c.hit) expected.push_back(c.hit);
    if (c.miss) expected.push_back(c.miss);
    EXPECT_EQ(sound.played, expected);
  }
}

TEST_F(LasersTest, AnOverflowingMissClosesTheWindow) {
  form.FireLaser(32765, 10);
  EXPECT_EQ(window.unloads, 1);
  form.FireLaser(-32764, 10);
  EXPECT_EQ(window.unloads, 2);
  form.FireLaser(32762, 10);
  EXPECT_EQ(window.unloads, 2);
}

TEST_F(LasersTest, AutoFireAimsAtTheFirstGrownImageThroughTheHitRule) {
  Put(1, 100, 100, 35);  // not grown enough
  Put(2, 600, 300, 40);
  Put(3, 610, 300, 36);
  form.AutoFire();
  EXPECT_EQ(probe.Slot(1).ExplodeStep, 0);
  EXPECT_EQ(probe.Slot(2).ExplodeStep, 3);
  EXPECT_EQ(probe.Slot(3).ExplodeStep, 0);
  form.AutoFire();
  EXPECT_EQ(probe.Slot(3).ExplodeStep, 3);  // 2 is exploding: the next candidate
  Put(1, 600, 300, 10);                     // a small lower slot covering 2's centre takes 2's shot
  Put(2, 600, 300, 40);
  form.AutoFire();
  EXPECT_EQ(probe.Slot(1).ExplodeStep, 3);
  EXPECT_EQ(probe.Slot(2).ExplodeStep, 0);

  settings.PicCount = 0;
  sound.played.clear();
  form.AutoFire();
  EXPECT_TRUE(sound.played.empty());
}

TEST_F(LasersTest, AutomaticFireScheduleWithAndWithoutTargetPractice) {
  settings.PicCount = 1;
  auto shotsBetween = [&](int64_t from, int64_t to) {
    std::vector<int64_t> shots;
    clock.Set(from);
    while (clock.NowMs() < to) {
      clock.Advance(1);
      Put(1, 400, 300, 40);  // always a target ready
      if (clock.NowMs() >= form.NextPassDue()) form.Form_Paint();
      if (probe.Slot(1).ExplodeStep != 0) shots.push_back(clock.NowMs());
    }
    return shots;
  };
  // Target practice: nothing for 5 s after activation at 1000, then ten a second.
  auto shots = shotsBetween(1000, 7000);
  ASSERT_FALSE(shots.empty());
  EXPECT_EQ(shots.front(), 6001);
  for (size_t i = 1; i < shots.size(); ++i) EXPECT_EQ(shots[i] - shots[i - 1], 100);

  clock.Set(7000);
  form.Form_MouseDown(1, 0, 5, 5);  // a click holds it for 10 s
  shots = shotsBetween(7000, 19000);
  ASSERT_FALSE(shots.empty());
  EXPECT_GE(shots.front(), 17001);

  settings.TargetPractice = false;
  Activate(30000);
  shots = shotsBetween(30000, 30500);
  ASSERT_FALSE(shots.empty());
  EXPECT_EQ(shots.front(), 30001);  // from the first pass on
  EXPECT_EQ(shots.size(), 5u);
}
