// The application as a whole: its loaded forms, and ending it.
#pragma once

namespace App {

// Ends the process immediately: no further window events, nothing saved.
[[noreturn]] void EndNow(int exitCode = 0);

// Book-keeping of loaded forms: when the last one unloads, the event loop ends.
void FormLoaded();
void FormUnloaded();
int LoadedForms();

}  // namespace App
