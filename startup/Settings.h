// The nine user settings of modMain, their defaults, and their loading and storing.
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>

class SettingsFile;

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

inline constexpr const char* kApplication = "Skorvane Screensaver";
inline constexpr const char* kSection = "Settings";

// The process-wide record: written only by this module and the setup dialog.
SettingsRecord& Settings();

void SetDefaultSettings(SettingsRecord& s);

// Defaults first, then every stored key over them. A stored text that cannot be read keeps
// that one setting at its default and is reported on `warnings` with the file and the key:
// a damaged file must never keep the screensaver or its setup dialog from starting.
void LoadSettings(SettingsRecord& s, const SettingsFile& store, std::ostream& warnings);

// Writes all nine keys. Throws SettingsWriteError when the store cannot be written.
void SaveSettings(const SettingsRecord& s, SettingsFile& store);

// Brings counts edited by hand into what the 500-slot scene can hold (negative counts to 0,
// PicCount to at most 500, StarCount to what is left). The store is not rewritten.
void ClampSceneCounts(SettingsRecord& s);

}  // namespace modMain
