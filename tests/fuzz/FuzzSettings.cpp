// The settings file: whatever it holds, a key set in it is read back, and a record loaded from
// it, saved into it and loaded again is the record that was saved. A number is written with
// at most 15 significant digits, so one that needs 16 or 17 (8.88...e25 typed out in full)
// comes back as the number its text shows: the same text, not always the same last bit.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <sstream>
#include <string>

#include "platform/core/IniText.h"
#include "platform/posix/SettingsFile.h"
#include "startup/Settings.h"
#include "startup/SettingsText.h"

namespace {

const std::string& ScratchFile() {
  static const std::string path = [] {
    char name[] = "/tmp/skorvane-fuzz-XXXXXX";
    const int fd = mkstemp(name);
    if (fd >= 0) close(fd);
    return std::string(name);
  }();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);

  IniText ini(text);
  ini.Set("Settings", "StarCount", "150");
  const IniText again(ini.Text());
  if (again.Get("Settings", "StarCount") != std::string("150")) __builtin_trap();

  if (std::FILE* file = std::fopen(ScratchFile().c_str(), "wb")) {
    std::fwrite(data, 1, size, file);
    std::fclose(file);
  }
  SettingsFile store(ScratchFile());
  modMain::SettingsRecord loaded, reloaded;
  std::ostringstream warnings;
  modMain::LoadSettings(loaded, store, warnings);
  try {
    modMain::SaveSettings(loaded, store);
  } catch (const SettingsWriteError&) {
    return 0;  // /tmp is full or gone: nothing to compare
  }
  modMain::LoadSettings(reloaded, store, warnings);
  const bool same =
      loaded.StarCount == reloaded.StarCount && loaded.PicCount == reloaded.PicCount &&
      loaded.SpinSwitch == reloaded.SpinSwitch && loaded.PicSelected == reloaded.PicSelected &&
      DoubleToText(loaded.Speed) == DoubleToText(reloaded.Speed) &&
      DoubleToText(loaded.SpinRatio) == DoubleToText(reloaded.SpinRatio) &&
      loaded.Sound == reloaded.Sound && loaded.TargetPractice == reloaded.TargetPractice &&
      loaded.ShowLasers == reloaded.ShowLasers;
  if (!same) __builtin_trap();
  return 0;
}
