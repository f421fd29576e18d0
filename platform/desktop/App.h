// The application as a whole: its loaded forms, and ending it.
#pragma once

#include <cstdint>
#include <span>

// The forms of one run of the program; every form is given it. When the last loaded form
// unloads, the event loop ends.
class Application {
 public:
  void FormLoaded() { ++loaded_forms_; }
  void FormUnloaded();
  int LoadedForms() const { return loaded_forms_; }

 private:
  int loaded_forms_ = 0;
};

namespace App {

// The icon of every window, from the bytes of an icon file with all its sizes.
void SetIcon(std::span<const uint8_t> icoFile);

// Ends the process immediately: no further window events, nothing saved.
[[noreturn]] void EndNow(int exitCode = 0);

}  // namespace App
