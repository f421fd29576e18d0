#include "startup/modMain.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <optional>
#include <string_view>

#include "platform/core/Failure.h"
#include "platform/core/Numeric.h"
#include "startup/SettingsText.h"
#include "startup/WindowId.h"

namespace modMain {

std::string NormaliseCommandText(const std::string& commandLine) {
  std::string text = TrimBlanks(commandLine);
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  return text;
}

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// A window id as the X tools print it: 0x and hex digits, the last word of the text.
std::optional<uint32_t> HexTail(const std::string& s) {
  const size_t separator = s.find_last_of(" \t:");
  const std::string_view word =
      std::string_view(s).substr(separator == std::string::npos ? 0 : separator + 1);
  if (word.size() < 3 || word[0] != '0' || (word[1] != 'x' && word[1] != 'X')) return std::nullopt;
  return ParseWindowId(word);
}

// The value of the longest tail of `s` that is numeric text: blanks, a sign, blanks, then
// digits with at most one point (no exponent). One walk back from the end.
std::optional<double> LongestDecimalTail(const std::string& s) {
  size_t begin = s.size();
  bool point = false, digit = false;
  while (begin > 0) {
    const char c = s[begin - 1];
    if (IsDigit(c)) {
      digit = true;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      break;
    }
    --begin;
  }
  if (!digit) return std::nullopt;
  double value = 0;
  std::string body = "0";  // from_chars wants a digit before a point
  body.append(s, begin);
  std::from_chars(body.data(), body.data() + body.size(), value, std::chars_format::fixed);
  size_t before = begin;
  while (before > 0 && IsBlank(s[before - 1])) --before;
  if (before > 0 && s[before - 1] == '-') value = -value;
  return value;
}

}  // namespace

int32_t ParsePreviewHandle(const std::string& text) {
  const std::string s = TrimBlanks(text);
  if (const auto hex = HexTail(s)) return *hex <= INT32_MAX ? int32_t(*hex) : 0;
  const auto number = LongestDecimalTail(s);
  if (!number) return 0;
  // An id that no 32-bit handle can be names no window: the preview stands on its own.
  const double rounded = RoundHalfEven(*number);
  if (rounded < double(INT32_MIN) || rounded > double(INT32_MAX)) return 0;
  return int32_t(rounded);
}

namespace {

enum class Mode { Run, Setup, Preview, None };

// Only the first two characters of the command text choose the mode.
Mode ModeOf(const std::string& command) {
  const std::string mode = command.substr(0, 2);
  if (mode.empty() || mode == "/s") return Mode::Run;
  if (mode == "/c") return Mode::Setup;
  if (mode == "/p") return Mode::Preview;
  return Mode::None;
}

}  // namespace

bool ChoosesAMode(const std::string& commandLine) {
  return ModeOf(NormaliseCommandText(commandLine)) != Mode::None;
}

bool RunsTheDisplay(const std::string& commandLine) {
  return ModeOf(NormaliseCommandText(commandLine)) == Mode::Run;
}

int32_t PreviewHostOf(const std::string& commandLine) {
  const std::string command = NormaliseCommandText(commandLine);
  return ModeOf(command) == Mode::Preview ? ParsePreviewHandle(command) : 0;
}

bool NotAlreadyRunning(const std::string& caption, const StartupActions& actions) {
  return !actions.FindWindow(caption);
}

void Main(const std::string& commandLine, const StartupActions& actions) {
  // Start-up stops at its first error, without a word; see the header.
  StopOnError([&] {
    const std::string command = NormaliseCommandText(commandLine);
    const Mode mode = ModeOf(command);
    if (mode == Mode::Run) {
      if (!NotAlreadyRunning(kDisplayCaption, actions)) return actions.EndNow();
      actions.LoadSettings();
      actions.OpenDisplayWindow();
    } else if (mode == Mode::Setup) {
      if (!NotAlreadyRunning(kSetupCaption, actions)) return actions.EndNow();
      actions.LoadSettings();
      actions.OpenSetupDialog();
    } else if (mode == Mode::Preview) {
      if (actions.PrevInstance()) return actions.EndNow();
      actions.OpenPreviewWindow(ParsePreviewHandle(command));
    }
  });
}

}  // namespace modMain
