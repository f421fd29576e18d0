#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>
#include <clocale>
#include <fstream>
#include <sstream>

#include "platform/posix/SettingsFile.h"
#include "startup/Settings.h"
#include "tests/TempDir.h"

using modMain::SettingsRecord;

namespace {

std::string ReadAll(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteAll(const std::filesystem::path& file, const std::string& text) {
  std::ofstream(file) << text;
}

class SettingsStoreTest : public ::testing::Test {
 protected:
  std::filesystem::path File() const { return dir_.Path() / "Skorvane Screensaver.ini"; }

  SettingsRecord LoadFrom(const std::string& settingsSection, std::string* warnings = nullptr) {
    WriteAll(File(), "[Settings]\n" + settingsSection);
    SettingsRecord s;
    std::ostringstream out;
    modMain::LoadSettings(s, SettingsFile(File()), out);
    if (warnings) *warnings = out.str();
    return s;
  }

  // Loads the file as it stands; its warnings land in warnings_.
  SettingsRecord LoadStored() {
    SettingsRecord s;
    warnings_.str("");
    modMain::LoadSettings(s, SettingsFile(File()), warnings_);
    return s;
  }

  std::ostringstream warnings_;

  TempDir dir_;
};

}  // namespace

TEST_F(SettingsStoreTest, EmptyStoreGivesDefaultsAndSavesTheirTextForms) {
  SettingsRecord s;
  std::ostringstream warnings;
  SettingsFile store(File());
  modMain::LoadSettings(s, store, warnings);
  EXPECT_EQ(s.StarCount, 150);
  EXPECT_EQ(s.PicCount, 15);
  EXPECT_EQ(s.Speed, 0.5);
  EXPECT_EQ(s.SpinRatio, 1.0);
  EXPECT_EQ(s.SpinSwitch, 0);
  EXPECT_EQ(s.PicSelected, 1);
  EXPECT_TRUE(s.Sound && s.TargetPractice && s.ShowLasers);
  EXPECT_EQ(warnings.str(), "");

  modMain::SaveSettings(s, store);
  EXPECT_EQ(ReadAll(File()),
            "[Settings]\nSpeed=0.5\nStarCount=150\nPicCount=15\nSpinRatio=1\nSpinSwitch=0\n"
            "PicSelected=1\nSound=True\nTargetPractice=True\nShowLasers=True\n");
}

TEST_F(SettingsStoreTest, StoredValuesFollowTheConversionRules) {
  SettingsRecord s = LoadFrom(
      "PicSelected=7\nStarCount=150.5\nPicCount=151.5\nSound=false\n"
      "TargetPractice=0\nShowLasers=5\nSpeed= 2.25 \n");
  EXPECT_EQ(s.PicSelected, 0);
  EXPECT_EQ(s.StarCount, 150);
  EXPECT_EQ(s.PicCount, 152);
  EXPECT_FALSE(s.Sound);
  EXPECT_FALSE(s.TargetPractice);
  EXPECT_TRUE(s.ShowLasers);
  EXPECT_EQ(s.Speed, 2.25);
  EXPECT_EQ(LoadFrom("PicSelected=-1\n").PicSelected, 0);
  EXPECT_EQ(LoadFrom("PicSelected=3\n").PicSelected, 3);
  EXPECT_EQ(LoadFrom("StarCount=1000\nSpeed=20\n").StarCount, 1000);  // nothing else corrected
}

TEST_F(SettingsStoreTest, AnUnreadableValueKeepsItsDefaultAndIsReported) {
  std::string warnings;
  SettingsRecord s = LoadFrom("Speed=abc\nStarCount=40000\nPicCount=20\nSound=yes\n", &warnings);
  EXPECT_EQ(s.Speed, 0.5);
  EXPECT_EQ(s.StarCount, 150);
  EXPECT_EQ(s.PicCount, 20);  // keys after a bad one still load
  EXPECT_TRUE(s.Sound);
  EXPECT_NE(warnings.find("Speed"), std::string::npos);
  EXPECT_NE(warnings.find("\"abc\""), std::string::npos);
  EXPECT_NE(warnings.find("StarCount"), std::string::npos);
  EXPECT_NE(warnings.find(File().string()), std::string::npos);
  EXPECT_EQ(LoadFrom("Speed=\n").Speed, 0.5);
}

TEST_F(SettingsStoreTest, RoundTripKeepsEveryValueAndOtherSections) {
  WriteAll(File(), "[Other]\nKeep=me\n");
  SettingsRecord out;
  modMain::SetDefaultSettings(out);
  out.Speed = 0.38;
  out.SpinRatio = 4.99;
  out.StarCount = 7;
  out.PicCount = 0;
  out.SpinSwitch = 1;
  out.PicSelected = 3;
  out.Sound = false;
  SettingsFile store(File());
  modMain::SaveSettings(out, store);

  SettingsRecord in;
  std::ostringstream warnings;
  modMain::LoadSettings(in, store, warnings);
  EXPECT_EQ(in.Speed, 0.38);
  EXPECT_EQ(in.SpinRatio, 4.99);
  EXPECT_EQ(in.StarCount, 7);
  EXPECT_EQ(in.PicCount, 0);
  EXPECT_EQ(in.SpinSwitch, 1);
  EXPECT_EQ(in.PicSelected, 3);
  EXPECT_FALSE(in.Sound);
  EXPECT_EQ(store.Get("Other", {"Keep"}).at(0), "me");
}

TEST_F(SettingsStoreTest, AWriteKilledBeforeItsRenameLeavesTheOldFileWhole) {
  const std::string before = "[Settings]\nStarCount=42\n";
  WriteAll(File(), before);
  const pid_t child = ::fork();
  if (child == 0) {
    SettingsRecord s;
    modMain::SetDefaultSettings(s);
    SettingsFile store(File());
    store.BeforeRenameForTests([](const std::filesystem::path&) { ::_exit(9); });
    modMain::SaveSettings(s, store);
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 9);  // the write really was cut off at the hook
  EXPECT_EQ(ReadAll(File()), before);
}

TEST_F(SettingsStoreTest, AFailedWriteNamesTheFileAndTheReason) {
  // A plain file where the store's folder should be: fails for root too.
  WriteAll(dir_.Path() / "blocked", "");
  const auto file = dir_.Path() / "blocked" / "Skorvane Screensaver.ini";
  SettingsRecord s;
  modMain::SetDefaultSettings(s);
  SettingsFile store(file);
  try {
    modMain::SaveSettings(s, store);
    FAIL() << "write below a plain file succeeded";
  } catch (const SettingsWriteError& e) {
    EXPECT_EQ(e.Where(), file.string());
    EXPECT_FALSE(e.Reason().empty());
  }
}

TEST_F(SettingsStoreTest, NamesMatchWithoutRegardToCase) {
  WriteAll(File(), "[settings]\nstarcount=10\nSPEED=2\n");
  SettingsRecord s = LoadStored();
  SettingsFile store(File());
  EXPECT_EQ(s.StarCount, 10);
  EXPECT_EQ(s.Speed, 2.0);
  s.StarCount = 11;
  modMain::SaveSettings(s, store);
  const std::string text = ReadAll(File());
  EXPECT_NE(text.find("starcount=11\n"), std::string::npos) << text;  // the key keeps its spelling
  EXPECT_EQ(text.find("[Settings]"), std::string::npos) << text;      // no second section
}

TEST_F(SettingsStoreTest, ASectionHeldTwiceIsReadAndWrittenInTheSamePlace) {
  std::filesystem::copy_file(SEEDS "/ini/duplicate-section.ini", File());
  SettingsRecord s = LoadStored();
  EXPECT_EQ(s.Speed, 0.5);  // the first section's "+comment" is unreadable
  EXPECT_NE(warnings_.str().find("+comment"), std::string::npos);
  s.Speed = 3.25;
  s.StarCount = 77;
  SettingsFile store(File());
  modMain::SaveSettings(s, store);
  const SettingsRecord again = LoadStored();
  EXPECT_EQ(again.Speed, 3.25);
  EXPECT_EQ(again.StarCount, 77);
}

TEST_F(SettingsStoreTest, CommentsAndUnknownLinesSurviveASaveByteForByte) {
  const std::string head = "; written by hand\r\n[Other]\r\nx = 1 ; not ours\r\n\r\n";
  const std::string settings = "[Settings]\r\n# speed was 2\r\nSpeed = 2\r\nColour=blue\r\n";
  const std::string tail = "\r\n[Later]\r\ny=2";
  WriteAll(File(), head + settings + tail);
  SettingsRecord s;
  modMain::SetDefaultSettings(s);
  SettingsFile store(File());
  modMain::SaveSettings(s, store);
  const std::string text = ReadAll(File());
  EXPECT_EQ(text.substr(0, head.size()), head);
  EXPECT_NE(text.find("# speed was 2\r\nSpeed = 0.5\r\nColour=blue\r\nStarCount=150\r\n"),
            std::string::npos)
      << text;
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
}

TEST_F(SettingsStoreTest, ACommaLocaleNeitherWritesNorLosesACommaNumber) {
  ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr);
  SettingsRecord out;
  modMain::SetDefaultSettings(out);
  out.Speed = 0.25;
  out.SpinRatio = 10;
  SettingsFile store(File());
  modMain::SaveSettings(out, store);
  const SettingsRecord in = LoadStored();
  std::setlocale(LC_ALL, "C");
  EXPECT_NE(ReadAll(File()).find("Speed=0.25\nStarCount"), std::string::npos);
  EXPECT_EQ(in.Speed, 0.25);
  EXPECT_EQ(in.SpinRatio, 10.0);
  EXPECT_EQ(warnings_.str(), "");
}

TEST_F(SettingsStoreTest, DamagedBytesAreNotEchoedRaw) {
  std::string warnings;
  LoadFrom("Speed=\xff\x1b[31m\xc3\xa9\n", &warnings);
  EXPECT_NE(warnings.find("\"\\xFF\\x1B[31m\xc3\xa9\""), std::string::npos) << warnings;
}

TEST_F(SettingsStoreTest, TemporariesOfDeadSavesAreRemovedByTheNextSave) {
  const pid_t dead = ::fork();
  if (dead == 0) ::_exit(0);
  ::waitpid(dead, nullptr, 0);
  const auto stale = File().string() + ".tmp-" + std::to_string(dead);
  const auto live = File().string() + ".tmp-" + std::to_string(::getppid());  // still running
  WriteAll(stale, "half");
  WriteAll(live, "busy");
  SettingsRecord s;
  modMain::SetDefaultSettings(s);
  SettingsFile store(File());
  modMain::SaveSettings(s, store);
  EXPECT_FALSE(std::filesystem::exists(stale));
  EXPECT_TRUE(std::filesystem::exists(live));
}

TEST(SettingsCounts, CountsBeyondTheSceneAreClamped) {
  SettingsRecord s;
  s.PicCount = 300;
  s.StarCount = 400;
  modMain::ClampSceneCounts(s);
  EXPECT_EQ(s.PicCount, 300);
  EXPECT_EQ(s.StarCount, 200);
  s.PicCount = -4;
  s.StarCount = 9999;
  modMain::ClampSceneCounts(s);
  EXPECT_EQ(s.PicCount, 0);
  EXPECT_EQ(s.StarCount, 500);
}
