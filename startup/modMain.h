// Start-up: reads the command line, picks the mode, refuses a second copy, loads the settings
// and opens the one window of that mode.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace modMain {

inline constexpr const char* kDisplayCaption = "Skorvane!";
inline constexpr const char* kSetupCaption = "Skorvane! Screensaver Setup";
inline constexpr const char* kPreviewCaption = "Skorvane! Preview";

// What Main needs of the rest of the program; the real program wires the platform and the
// three windows in, tests wire in fakes.
struct StartupActions {
  std::function<bool(const std::string& caption)> FindWindow;  // a window bears this caption
  std::function<bool()> PrevInstance;                          // another copy runs
  std::function<void()> EndNow;                                // end the process at once
  std::function<void()> LoadSettings;
  std::function<void()> OpenDisplayWindow;
  std::function<void()> OpenSetupDialog;
  std::function<void(int32_t parent)> OpenPreviewWindow;
};

// Whole command line (without the program name) to the trimmed, lower-cased command text.
std::string NormaliseCommandText(const std::string& commandLine);

// The host window handle at the end of `text`: the longest numeric tail, rounded to the
// nearest integer (ties to even), or a hex id (0x...) as the X tools print it; 0 when there
// is none or it does not fit 32 bits.
int32_t ParsePreviewHandle(const std::string& text);

// True when the command line's first two characters choose a mode (run, setup or preview).
bool ChoosesAMode(const std::string& commandLine);

// True when the command line runs the display itself ("/s").
bool RunsTheDisplay(const std::string& commandLine);

// The host window a preview command line names ("/p 1234"); 0 in any other mode, or when it
// names none.
int32_t PreviewHostOf(const std::string& commandLine);

// True when no window bears `caption`.
bool NotAlreadyRunning(const std::string& caption, const StartupActions& actions);

// Chooses the mode by the first two characters of the command text and opens its window.
// Any error stops start-up where it is, silently; the caller ends the program if no window
// was left open.
void Main(const std::string& commandLine, const StartupActions& actions);

}  // namespace modMain
