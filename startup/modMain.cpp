#include "startup/modMain.h"

#include <algorithm>
#include <cctype>
#include <exception>

#include "platform/Numeric.h"
#include "startup/SettingsText.h"

namespace modMain {

namespace {

std::string TrimBlanks(const std::string& s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// Numeric text: a decimal number with optional sign, digits and point, blanks around it.
bool IsNumericText(const std::string& s) {
  const std::string t = TrimBlanks(s);
  size_t i = (!t.empty() && (t[0] == '+' || t[0] == '-')) ? 1 : 0;
  bool digit = false, point = false;
  for (; i < t.size(); ++i) {
    if (std::isdigit(static_cast<unsigned char>(t[i]))) {
      digit = true;
    } else if (t[i] == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digit;
}

}  // namespace

std::string NormaliseCommandText(const std::string& commandLine) {
  std::string text = TrimBlanks(commandLine);
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  return text;
}

int32_t ParsePreviewHandle(const std::string& text) {
  const std::string s = TrimBlanks(text);
  for (size_t n = s.size(); n >= 1; --n) {
    const std::string tail = s.substr(s.size() - n);
    if (IsNumericText(tail)) return Nearest32(*ParseNumber(TrimBlanks(tail)));
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
