// The nine user settings of modMain, their defaults, and their loading and storing.
#pragma once

#include <array>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

class SettingsStore;

namespace modMain {

// The display's scene has this many slots, for images and stars together.
constexpr int kSlotCount = 500;

struct SettingsRecord {
  int16_t StarCount = 0;
  int16_t PicCount = 0;
  int16_t SpinSwitch = 0;   // 1: stars spiral as the images do
  int16_t PicSelected = 0;  // 0 large, 1 medium, 2 small, 3 tiny
  double Speed = 0;
  double SpinRatio = 0;
  bool Sound = false;
  bool TargetPractice = false;
  bool ShowLasers = false;
};

// What a setting holds, and so how a user gives it: a whole number, a number with a point, one
// of a few named choices, or on and off.
enum class SettingKind { Count, Number, Choice, Switch };

// Where a setting lives in the record; its type gives its text form in the store.
using SettingMember =
    std::variant<int16_t SettingsRecord::*, double SettingsRecord::*, bool SettingsRecord::*>;

// One setting: its key in the store, its place in the record, its kind, its default, the range
// a user may choose from (the command line, the dialog's controls and the frontends' sliders
// all offer this range), and its name on the command line.
struct SettingEntry {
  const char* key;
  SettingMember member;
  SettingKind kind;
  double defaultValue;
  double least, most;
  const char* option;
};

// In the order in which the keys are read and written.
inline constexpr std::array<SettingEntry, 9> kSettingTable = {{
    {"Speed", &SettingsRecord::Speed, SettingKind::Number, 0.5, 0, 10, "speed"},
    {"StarCount", &SettingsRecord::StarCount, SettingKind::Count, 150, 0, 400, "stars"},
    {"PicCount", &SettingsRecord::PicCount, SettingKind::Count, 15, 0, 100, "images"},
    {"SpinRatio", &SettingsRecord::SpinRatio, SettingKind::Number, 1.0, 0.25, 5, "spin-ratio"},
    {"SpinSwitch", &SettingsRecord::SpinSwitch, SettingKind::Switch, 0, 0, 1, "spin-stars"},
    {"PicSelected", &SettingsRecord::PicSelected, SettingKind::Choice, 1, 0, 3, "size"},
    {"Sound", &SettingsRecord::Sound, SettingKind::Switch, 1, 0, 1, "sound"},
    {"TargetPractice", &SettingsRecord::TargetPractice, SettingKind::Switch, 1, 0, 1,
     "target-practice"},
    {"ShowLasers", &SettingsRecord::ShowLasers, SettingKind::Switch, 1, 0, 1, "lasers"},
}};

// The names of PicSelected's choices, by value.
inline constexpr std::array<const char*, 4> kPictureSizeNames = {"large", "medium", "small",
                                                                 "tiny"};

// The setting with this key; every key of the table has one.
const SettingEntry& Entry(std::string_view key);

// Sets one setting from a number in its range (a switch: 0 off, anything else on).
void SetSetting(SettingsRecord& s, std::string_view key, double value);

inline constexpr const char* kApplication = "Skorvane Screensaver";
inline constexpr const char* kSection = "Settings";

// The process-wide record: written only by this module and the setup dialog.
SettingsRecord& Settings();

void SetDefaultSettings(SettingsRecord& s);

// Defaults first, then every stored key over them. A stored text that cannot be read keeps
// that one setting at its default and is reported on `warnings` with the file and the key:
// a damaged file must never keep the screensaver or its setup dialog from starting.
void LoadSettings(SettingsRecord& s, const SettingsStore& store, std::ostream& warnings);

// Writes all nine keys. Throws SettingsWriteError when the store cannot be written.
void SaveSettings(const SettingsRecord& s, SettingsStore& store);

// Brings counts edited by hand into what the 500-slot scene can hold (negative counts to 0,
// PicCount to at most 500, StarCount to what is left). The store is not rewritten.
void ClampSceneCounts(SettingsRecord& s);

}  // namespace modMain
