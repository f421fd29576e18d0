#include <gtest/gtest.h>

#include "tests/DisplayFixture.h"

namespace {

class SceneTest : public ::testing::Test {
 protected:
  SceneTest() { modMain::SetDefaultSettings(settings); }
  modMain::SettingsRecord settings;
  ScriptedRandom random{};
  RecordingSound sound;
  EmbeddedMedia media;
  ManualClock clock;
  frmStarfield3 form{settings, clock, random, sound, media};
  StarfieldProbe probe{form};
};

}  // namespace

TEST_F(SceneTest, ResetStuffDrawsRateThenAngleAndPlacesImagesAndStars) {
  random.Push(0.5f), random.Push(0.25f);
  SlotState grown;
  grown.SizeIndex = 17;
  probe.PlaceSlot(3, grown);
  form.ResetStuff(3);
  EXPECT_EQ(probe.Slot(3).Velocity, 3.0);
  EXPECT_EQ(probe.Slot(3).Angle, 91.0);
  EXPECT_EQ(probe.Slot(3).Radius, 10.0);
  EXPECT_EQ(probe.Slot(3).SizeIndex, 0);

  random.Push(0.5f), random.Push(0.25f);
  form.ResetStuff(16);
  EXPECT_EQ(probe.Slot(16).Velocity, 2.0);
  EXPECT_EQ(probe.Slot(16).Angle, 91.0);
  EXPECT_EQ(probe.Slot(16).Radius, 50.0);
  EXPECT_EQ(random.Remaining(), 0u);

  settings.PicCount = 0;  // every slot a star, slot 1 too
  random.Push(0.0f), random.Push(0.0f);
  form.ResetStuff(1);
  EXPECT_EQ(probe.Slot(1).Radius, 50.0);
  EXPECT_EQ(probe.Slot(1).Velocity, 0.5);
}

TEST_F(SceneTest, ResetStuffOutsideTheTableChangesNothingAndDrawsNothing) {
  form.ResetStuff(501);
  form.ResetStuff(-1);
  EXPECT_EQ(random.Remaining(), 0u);  // would have thrown on a draw
}

TEST_F(SceneTest, SeedingDrawsRateAngleRadiusThenColoursUntilNotBlack) {
  // Slot 1: rate, angle, radius, then a black colour (0.1, 0.4, 0.49) drawn again as green.
  for (float u : {0.5f, 0.25f, 0.5f, 0.1f, 0.4f, 0.49f, 0.3f, 0.7f, 0.2f}) random.Push(u);
  // Slots 2..500: rate, angle, radius and a white colour on the first attempt.
  for (int i = 2; i <= kSlotCount; ++i)
    for (float u : {0.0f, 0.0f, 0.999f, 0.5f, 0.5f, 0.5f}) random.Push(u);
  SlotState exploding;
  exploding.ExplodeStep = 5;
  probe.PlaceSlot(7, exploding);
  form.SeedScene();
  EXPECT_EQ(random.Remaining(), 0u);
  EXPECT_EQ(random.Seedings(), 1);
  EXPECT_EQ(probe.View().iSPinDirection, 1);
  EXPECT_EQ(probe.Slot(1).Radius, 255.0);
  EXPECT_EQ(probe.Slot(1).StarRed, 0);
  EXPECT_EQ(probe.Slot(1).StarGreen, 254);
  EXPECT_EQ(probe.Slot(1).StarBlue, 0);
  EXPECT_EQ(probe.Slot(7).ExplodeStep, 0);
  EXPECT_EQ(probe.Slot(500).StarRed + probe.Slot(500).StarGreen + probe.Slot(500).StarBlue,
            3 * 254);
  EXPECT_LT(probe.Slot(500).Radius, 505.0);
}

TEST(SceneSeeding, EverySlotIsSeededWithinItsRangesAndStarsKeepTheirColours) {
  modMain::SettingsRecord settings;
  modMain::SetDefaultSettings(settings);
  settings.PicCount = 100;
  settings.StarCount = 400;
  settings.Speed = 0;
  DeterministicRandom random;
  RecordingSound sound;
  EmbeddedMedia media;
  ManualClock clock;
  frmStarfield3 form(settings, clock, random, sound, media);
  StarfieldProbe probe{form};
  form.SeedScene();
  for (int i = 1; i <= kSlotCount; ++i) {
    EXPECT_GE(probe.Slot(i).Radius, 5.0);
    EXPECT_LT(probe.Slot(i).Radius, 505.0);
    EXPECT_GE(probe.Slot(i).Angle, 1.0);
    EXPECT_LT(probe.Slot(i).Angle, 361.0);
    EXPECT_LT(probe.Slot(i).Velocity,
              i <= 100 ? 4.5 : 3.0);  // Speed 0: rates in [0, 3) and [0, 4.5)
    EXPECT_GE(probe.Slot(i).StarRed + probe.Slot(i).StarGreen + probe.Slot(i).StarBlue, 254);
    for (int16_t c : {probe.Slot(i).StarRed, probe.Slot(i).StarGreen, probe.Slot(i).StarBlue})
      EXPECT_TRUE(c == 0 || c == 254);
  }
  const int16_t red = probe.Slot(300).StarRed, green = probe.Slot(300).StarGreen,
                blue = probe.Slot(300).StarBlue;
  for (int n = 0; n < 20; ++n) form.ResetStuff(300);
  EXPECT_EQ(probe.Slot(300).StarRed, red);
  EXPECT_EQ(probe.Slot(300).StarGreen, green);
  EXPECT_EQ(probe.Slot(300).StarBlue, blue);
  EXPECT_EQ(probe.Slot(300).Radius, 50.0);
}
