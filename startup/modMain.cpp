#include "startup/modMain.h"

#include <algorithm>
#include <cctype>
#include <exception>

#include "platform/Numeric.h"
#include "startup/SettingsText.h"

namespace modMain {

std::string NormaliseCommandText(const std::string& commandLine) {
  std::string text = TrimBlanks(commandLine);
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  return text;
}

int32_t ParsePreviewHandle(const std::string& text) {
  const std::string s = TrimBlanks(text);
  // Each pass drops one leading character, so the first numeric tail is the longest.
  for (size_t n = s.size(); n >= 1; --n) {
    if (const auto number = ParseNumber(s.substr(s.size() - n))) return Nearest32(*number);
  }
  return 0;
}

bool NotAlreadyRunning(const std::string& caption, const StartupActions& actions) {
  return !actions.FindWindow(caption);
}

void Main(const std::string& commandLine, const StartupActions& actions) {
  try {
    const std::string command = NormaliseCommandText(commandLine);
    const std::string mode = command.substr(0, 2);
    if (mode.empty() || mode == "/s") {
      if (!NotAlreadyRunning(kDisplayCaption, actions)) return actions.EndNow();
      actions.LoadSettings();
      actions.OpenDisplayWindow();
    } else if (mode == "/c") {
      if (!NotAlreadyRunning(kSetupCaption, actions)) return actions.EndNow();
      actions.LoadSettings();
      actions.OpenSetupDialog();
    } else if (mode == "/p") {
      if (actions.PrevInstance()) return actions.EndNow();
      actions.OpenPreviewWindow(ParsePreviewHandle(command));
    }
  } catch (const std::exception&) {
    // Start-up stops at its first error, without a word; see the header.
  }
}

}  // namespace modMain
