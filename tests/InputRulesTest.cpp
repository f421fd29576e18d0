#include <gtest/gtest.h>

#include "tests/DisplayFixture.h"

namespace {

class InputRulesTest : public DisplayFixture {
 protected:
  void SetUp() override {
    settings.TargetPractice = false;
    Activate(1000);
  }
  void Move(float x, float y) { form.Form_MouseMove(0, 0, x, y); }
};

}  // namespace

TEST_F(InputRulesTest, KeysAlwaysClose) {
  form.Form_KeyDown(65, 0);
  EXPECT_EQ(window.unloads, 1);
  form.Form_KeyPress('a');
  EXPECT_EQ(window.unloads, 2);
  settings.TargetPractice = true;
  form.Form_KeyDown(27, 1);
  EXPECT_EQ(window.unloads, 3);
}

TEST_F(InputRulesTest, WithoutTargetPracticeEveryButtonCloses) {
  for (int button : {1, 2, 4}) form.Form_MouseDown(button, 0, 10, 10);
  EXPECT_EQ(window.unloads, 3);
}

TEST_F(InputRulesTest, TheFirstMoveOnlyRecordsThePosition) {
  Move(700, 500);
  EXPECT_EQ(window.unloads, 0);
  EXPECT_EQ(probe.View().LastMouseX, 700);
  EXPECT_EQ(probe.View().LastMouseY, 500);
}

TEST_F(InputRulesTest, FivePixelsBetweenMovesClosesFourNeverDoes) {
  Move(100, 100);
  for (int i = 1; i <= 50; ++i) Move(100 + 4.0f * i, 100 - 4.0f * i);  // a slow drift
  EXPECT_EQ(window.unloads, 0);
  Move(probe.View().LastMouseX + 4.99f, probe.View().LastMouseY);
  EXPECT_EQ(window.unloads, 0);
  Move(probe.View().LastMouseX, probe.View().LastMouseY + 5.0f);
  EXPECT_EQ(window.unloads, 1);
}

TEST_F(InputRulesTest, ARememberedTopLeftCornerCountsAsNone) {
  Move(0, 0);
  Move(300, 300);
  EXPECT_EQ(window.unloads, 0);
  EXPECT_EQ(probe.View().LastMouseX, 300);
  Move(0.4f, 0.4f);  // closes: far from (300, 300)
  EXPECT_EQ(window.unloads, 1);
}

TEST_F(InputRulesTest, APositionBeyondSixteenBitsCloses) {
  Move(40000, 10);
  EXPECT_EQ(window.unloads, 1);
}

TEST_F(InputRulesTest, TargetPracticeClicksFireAndHoldAutomaticFire) {
  settings.TargetPractice = true;
  Move(10, 10);
  Move(500, 500);
  clock.Set(20000);
  form.Form_MouseDown(2, 0, 123.9f, 456.2f);
  EXPECT_EQ(window.unloads, 0);
  EXPECT_EQ(probe.Schedule().AutoFireHoldUntil, 30000);
  EXPECT_TRUE(window.line1.Geometry().Visible);  // a miss at (123, 456): the green beams
  EXPECT_EQ(window.line1.Geometry().X2, 118.0f);
  EXPECT_EQ(window.line2.Geometry().X2, 128.0f);
  EXPECT_EQ(window.line1.Geometry().Y2, 456.0f);
}
