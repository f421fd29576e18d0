// The command line's options: each one reaches its own setting, in the table's range.
#include "app/linux/Options.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using modMain::SettingsRecord;

ParsedCommandLine Parse(std::vector<std::string> args, const char* screensaverWindow = nullptr) {
  return ParseCommandLine(args, screensaverWindow);
}

SettingsRecord Defaults() {
  SettingsRecord s;
  modMain::SetDefaultSettings(s);
  return s;
}

bool Same(const SettingsRecord& a, const SettingsRecord& b) {
  return a.StarCount == b.StarCount && a.PicCount == b.PicCount && a.SpinSwitch == b.SpinSwitch &&
         a.PicSelected == b.PicSelected && a.Speed == b.Speed && a.SpinRatio == b.SpinRatio &&
         a.Sound == b.Sound && a.TargetPractice == b.TargetPractice && a.ShowLasers == b.ShowLasers;
}

}  // namespace

TEST(Options, EachOptionSetsItsOwnSettingAndNoOther) {
  struct Case {
    std::vector<std::string> args;
    std::function<void(SettingsRecord&)> expect;
  };
  const Case cases[] = {
      {{"--stars", "42"}, [](SettingsRecord& s) { s.StarCount = 42; }},
      {{"--images=7"}, [](SettingsRecord& s) { s.PicCount = 7; }},
      {{"--size", "tiny"}, [](SettingsRecord& s) { s.PicSelected = 3; }},
      {{"--size", "Large"}, [](SettingsRecord& s) { s.PicSelected = 0; }},
      {{"--speed", "2.5"}, [](SettingsRecord& s) { s.Speed = 2.5; }},
      {{"--spin-ratio", "0.25"}, [](SettingsRecord& s) { s.SpinRatio = 0.25; }},
      {{"--spin-stars"}, [](SettingsRecord& s) { s.SpinSwitch = 1; }},
      {{"--no-target-practice"}, [](SettingsRecord& s) { s.TargetPractice = false; }},
      {{"--no-lasers"}, [](SettingsRecord& s) { s.ShowLasers = false; }},
      {{"--no-sound"}, [](SettingsRecord& s) { s.Sound = false; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0]);
    const ParsedCommandLine parsed = Parse(c.args);
    ASSERT_EQ(parsed.outcome, ParsedCommandLine::Outcome::Run) << parsed.error;
    SettingsRecord got = Defaults(), want = Defaults();
    ApplyOptions(parsed.options, got);
    c.expect(want);
    EXPECT_TRUE(Same(got, want));
  }
}

TEST(Options, AValueOutsideTheRangeEndsWithOneLineNamingTheOption) {
  const std::vector<std::vector<std::string>> bad = {
      {"--stars", "401"},      {"--images", "-1"}, {"--images", "x"},        {"--speed", "10.5"},
      {"--spin-ratio", "0.2"}, {"--size", "huge"}, {"--sound", "--no-sound"}};
  for (const auto& args : bad) {
    SCOPED_TRACE(args[0] + " " + args[1]);
    const ParsedCommandLine parsed = Parse(args);
    EXPECT_EQ(parsed.outcome, ParsedCommandLine::Outcome::Exit);
    EXPECT_EQ(parsed.exitCode, 2);
    EXPECT_NE(parsed.error.find(args[0].substr(0, args[0].find('='))), std::string::npos)
        << parsed.error;
    EXPECT_EQ(parsed.error.find('\n'), parsed.error.size() - 1);
  }
  // The ends of each range are in it.
  EXPECT_EQ(Parse({"--stars", "400", "--images", "0", "--speed", "10"}).outcome,
            ParsedCommandLine::Outcome::Run);
}

TEST(Options, SwitchesAreLeftInOrderAndWindowsNamedEitherWay) {
  const ParsedCommandLine parsed = Parse({"/p", "--stars", "3", "0x1c00007"});
  EXPECT_EQ(parsed.options.switches, "/p 0x1c00007");
  EXPECT_EQ(parsed.options.frontend, RunOptions::Frontend::None);

  EXPECT_EQ(Parse({"-window-id", "0x1C00007"}).options.windowId, 0x1c00007u);
  EXPECT_EQ(Parse({"--window-id=29360135"}).options.windowId, 29360135u);
  EXPECT_EQ(Parse({"--window-id", "0x100000000"}).exitCode, 2);  // past 32 bits
  EXPECT_EQ(Parse({"-root"}, " 0x2a ").options.windowId, 42u);
  EXPECT_EQ(Parse({"-root"}, "window").exitCode, 2);
  EXPECT_EQ(Parse({"--root"}).options.frontend, RunOptions::Frontend::Window);
  EXPECT_EQ(Parse({"--root"}).options.windowId, 0u);  // the root window
}
