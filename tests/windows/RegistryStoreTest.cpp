// The settings in the registry: read and written where the program's users have them, as
// string values; a missing key reads as nothing stored; a save touches only its own values.
#include <gtest/gtest.h>

#include "platform/win32/RegistryStore.h"
#include "platform/win32/WindowsApi.h"
#include "startup/Settings.h"

namespace {

class RegistryStoreTest : public ::testing::Test {
 protected:
  void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, Path().c_str()); }
  std::string Path() const { return "Software\\VB and VBA Program Settings\\" + application; }

  std::string application = "Skorvane Test " + std::to_string(GetCurrentProcessId());
  RegistryStore store{application};
};

TEST_F(RegistryStoreTest, NothingStoredReadsAsNotStored) {
  const auto values = store.Get("Settings", {"StarCount", "Sound"});
  ASSERT_EQ(values.size(), 2u);
  EXPECT_FALSE(values[0]);
  EXPECT_FALSE(values[1]);
  EXPECT_EQ(store.Where(), "HKEY_CURRENT_USER\\" + Path());
}

TEST_F(RegistryStoreTest, ValuesGoInAsStringsAndComeBackAsWritten) {
  store.Put("Settings", {{"StarCount", "150"}, {"Speed", "0.5"}, {"Sound", "True"}});
  store.Put("Settings", {{"StarCount", "7"}});  // the others stay as they were
  const auto values = store.Get("Settings", {"StarCount", "Speed", "Sound", "PicCount"});
  EXPECT_EQ(values[0], "7");
  EXPECT_EQ(values[1], "0.5");
  EXPECT_EQ(values[2], "True");
  EXPECT_FALSE(values[3]);

  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, (Path() + "\\Settings").c_str(), 0, KEY_READ, &key),
            ERROR_SUCCESS);
  DWORD type = 0;
  EXPECT_EQ(RegQueryValueExA(key, "Speed", nullptr, &type, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(type, DWORD(REG_SZ));
  RegCloseKey(key);
}

TEST_F(RegistryStoreTest, TheSettingsRecordMakesTheRoundTrip) {
  modMain::SettingsRecord saved;
  saved.StarCount = 321;
  saved.Speed = 0.12;
  saved.TargetPractice = false;
  saved.PicSelected = 3;
  modMain::SaveSettings(saved, store);
  modMain::SettingsRecord loaded;
  std::ostringstream warnings;
  modMain::LoadSettings(loaded, store, warnings);
  EXPECT_EQ(loaded.StarCount, 321);
  EXPECT_EQ(loaded.Speed, 0.12);
  EXPECT_FALSE(loaded.TargetPractice);
  EXPECT_EQ(loaded.PicSelected, 3);
  EXPECT_EQ(warnings.str(), "");
}

TEST_F(RegistryStoreTest, ASaveThatCannotWriteSaysWhereAndLeavesTheStoreAsItWas) {
  store.Put("Settings", {{"StarCount", "150"}});
  // The second value's name is longer than any the registry takes: the first must not stay.
  try {
    store.Put("Settings", {{"StarCount", "1"}, {"Sound", "False"}, {std::string(20000, 'x'), "v"}});
    ADD_FAILURE() << "the save said it was done";
  } catch (const SettingsWriteError& e) {
    EXPECT_EQ(e.Where(), store.Where());
    EXPECT_FALSE(e.Reason().empty());
  }
  const auto values = store.Get("Settings", {"StarCount", "Sound"});
  EXPECT_EQ(values[0], "150");
  EXPECT_FALSE(values[1]);

  RegistryStore nowhere{std::string(300, 'k')};  // a key name longer than any the registry takes
  EXPECT_THROW(nowhere.Put("Settings", {{"StarCount", "1"}}), SettingsWriteError);
}

}  // namespace
