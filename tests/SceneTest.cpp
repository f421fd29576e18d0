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
  StarfieldState state{form};
};

}  // namespace

TEST_F(SceneTest, ResetStuffDrawsRateThenAngleAndPlacesImagesAndStars) {
  random.Push(0.5f), random.Push(0.25f);
  state.SizeIndex[3] = 17;
  form.ResetStuff(3);
  EXPECT_EQ(state.Velocity[3], 3.0);
  EXPECT_EQ(state.Angle[3], 91.0);
  EXPECT_EQ(state.Radius[3], 10.0);
  EXPECT_EQ(state.SizeIndex[3], 0);

  random.Push(0.5f), random.Push(0.25f);
  form.ResetStuff(16);
  EXPECT_EQ(state.Velocity[16], 2.0);
  EXPECT_EQ(state.Angle[16], 91.0);
  EXPECT_EQ(state.Radius[16], 50.0);
  EXPECT_EQ(random.Remaining(), 0u);

  settings.PicCount = 0;  // every slot a star, slot 1 too
  random.Push(0.0f), random.Push(0.0f);
  form.ResetStuff(1);
  EXPECT_EQ(state.Radius[1], 50.0);
  EXPECT_EQ(state.Velocity[1], 0.5);
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
  state.ExplodeStep[7] = 5;
  form.SeedScene();
  EXPECT_EQ(random.Remaining(), 0u);
  EXPECT_EQ(random.Seedings(), 1);
  EXPECT_EQ(state.iSPinDirection, 1);
  EXPECT_EQ(state.Radius[1], 255.0);
  EXPECT_EQ(state.StarRed[1], 0);
  EXPECT_EQ(state.StarGreen[1], 254);
  EXPECT_EQ(state.StarBlue[1], 0);
  EXPECT_EQ(state.ExplodeStep[7], 0);
  EXPECT_EQ(state.StarRed[500] + state.StarGreen[500] + state.StarBlue[500], 3 * 254);
  EXPECT_LT(state.Radius[500], 505.0);
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
  StarfieldState state{form};
  form.SeedScene();
  for (int i = 1; i <= kSlotCount; ++i) {
    EXPECT_GE(state.Radius[i], 5.0);
    EXPECT_LT(state.Radius[i], 505.0);
    EXPECT_GE(state.Angle[i], 1.0);
    EXPECT_LT(state.Angle[i], 361.0);
    EXPECT_LT(state.Velocity[i], i <= 100 ? 4.5 : 3.0);  // Speed 0: rates in [0, 3) and [0, 4.5)
    EXPECT_GE(state.StarRed[i] + state.StarGreen[i] + state.StarBlue[i], 254);
    for (int16_t c : {state.StarRed[i], state.StarGreen[i], state.StarBlue[i]})
      EXPECT_TRUE(c == 0 || c == 254);
  }
  const int16_t red = state.StarRed[300], green = state.StarGreen[300], blue = state.StarBlue[300];
  for (int n = 0; n < 20; ++n) form.ResetStuff(300);
  EXPECT_EQ(state.StarRed[300], red);
  EXPECT_EQ(state.StarGreen[300], green);
  EXPECT_EQ(state.StarBlue[300], blue);
  EXPECT_EQ(state.Radius[300], 50.0);
}
