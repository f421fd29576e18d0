// The application as a whole: its loaded forms, and ending it.
#pragma once

#include <cstdint>
#include <vector>

namespace App {

// The icon of every window, from the bytes of an icon file with all its sizes.
void SetIcon(const std::vector<uint8_t>& icoFile);

// Ends the process immediately: no further window events, nothing saved.
[[noreturn]] void EndNow(int exitCode = 0);

// Book-keeping of loaded forms: when the last one unloads, the event loop ends.
void FormLoaded();
void FormUnloaded();
int LoadedForms();

}  // namespace App
