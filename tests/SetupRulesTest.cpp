// The setup dialog's rules on controls that notify as a toolkit's do (for changes made from
// code too, only when the value differs, nested): the same rules drive the Qt dialog and the
// Win32 one, and this runs on both platforms.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>

#include "config/SetupRules.h"
#include "startup/Settings.h"

namespace {

class FakeControls : public SetupControls {
 public:
  SetupRules* rules = nullptr;
  std::array<std::string, 2> texts;
  std::array<int, 4> values{0, 0, 0, 25};  // the bars as the dialog makes them
  std::map<SetupCheck, bool> checks;
  int image = -1;

  // What the user does: the control changes, and tells.
  void Type(CountBox box, const std::string& text) { SetText(box, text); }

  std::string Text(CountBox box) const override { return texts[size_t(box)]; }
  void SetText(CountBox box, const std::string& text) override {
    if (texts[size_t(box)] == text) return;
    texts[size_t(box)] = text;
    rules->TextChanged(box);
  }
  int Value(SetupBar bar) const override { return values[size_t(bar)]; }
  void SetValue(SetupBar bar, int value) override {
    const BarRange range = RangeOf(bar);
    value = std::clamp(value, range.least, range.most);
    if (values[size_t(bar)] == value) return;
    values[size_t(bar)] = value;
    rules->BarChanged(bar);
  }
  void SetChecked(SetupCheck check, bool on) override {
    if (checks[check] == on) return;
    checks[check] = on;
    rules->CheckClicked(check, on);
  }
  void SelectImage(int index) override {
    if (image == index) return;
    image = index;
    rules->ImageClicked(index);
  }
};

class SetupRulesTest : public ::testing::Test {
 protected:
  void Load() {
    controls.rules = &rules;
    rules.RefreshControls();
  }
  modMain::SettingsRecord settings;
  FakeControls controls;
  SetupRules rules{settings, controls};
};

TEST_F(SetupRulesTest, TypedCountsAreBroughtIntoRangeAndWrittenBackAsTheBarMoves) {
  Load();
  controls.Type(CountBox::Objects, "95");
  EXPECT_EQ(settings.PicCount, 95);
  controls.Type(CountBox::Objects, "150");
  EXPECT_EQ(controls.Text(CountBox::Objects), "100");
  EXPECT_EQ(settings.PicCount, 100);
  controls.Type(CountBox::Stars, "1200");
  EXPECT_EQ(controls.Text(CountBox::Stars), "400");
  controls.Type(CountBox::Stars, "007");
  EXPECT_EQ(controls.Text(CountBox::Stars), "7");
  EXPECT_EQ(settings.StarCount, 7);
  controls.Type(CountBox::Objects, "4");
  controls.Type(CountBox::Objects, "4.5");  // rounds to the count it has: left as typed
  EXPECT_EQ(controls.Text(CountBox::Objects), "4.5");
  EXPECT_EQ(settings.PicCount, 4);
  for (const char* bad : {"x12", "-5", "5a"}) {
    controls.Type(CountBox::Stars, "30");
    controls.Type(CountBox::Stars, bad);
    EXPECT_EQ(controls.Text(CountBox::Stars), "0") << bad;
    EXPECT_EQ(settings.StarCount, 0) << bad;
  }
}

TEST_F(SetupRulesTest, LoadBringsStoredValuesToWhatTheControlsCanShow) {
  settings.StarCount = 900;
  settings.Speed = 0.125;
  settings.SpinRatio = 0.375;
  settings.SpinSwitch = 7;
  settings.PicSelected = 3;
  Load();
  EXPECT_EQ(settings.StarCount, 400);
  EXPECT_EQ(settings.Speed, 0.12);  // 12.5 rounds to the even 12
  EXPECT_EQ(settings.SpinRatio, 0.38);
  EXPECT_EQ(settings.SpinSwitch, 1);
  EXPECT_EQ(controls.image, 3);
  EXPECT_TRUE(controls.checks[SetupCheck::SpinSwitch]);
}

TEST_F(SetupRulesTest, DefaultsPutTheDefaultsIntoSettingsAndControls) {
  settings.StarCount = 3;
  settings.PicSelected = 0;
  settings.Sound = false;
  Load();
  rules.Defaults();
  EXPECT_EQ(settings.StarCount, 150);
  EXPECT_EQ(controls.Text(CountBox::Stars), "150");
  EXPECT_EQ(settings.PicCount, 15);
  EXPECT_EQ(settings.Speed, 0.5);
  EXPECT_EQ(settings.SpinRatio, 1.0);
  EXPECT_EQ(settings.PicSelected, 1);
  EXPECT_EQ(controls.image, 1);
  EXPECT_TRUE(settings.Sound);
  EXPECT_TRUE(controls.checks[SetupCheck::Sound]);
}

}  // namespace
