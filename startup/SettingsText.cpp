#include "startup/SettingsText.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string>

#include "platform/core/Numeric.h"

namespace {

constexpr int kMaxSignificantDigits = 15;

// `value` in scientific form with `digits` significant digits: "d.dddde+XX".
std::string Scientific(double value, int digits) {
  char buffer[64];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value,
                                 std::chars_format::scientific, digits - 1);
  return std::string(buffer, end.ptr);
}

double ReadBack(const std::string& text) {
  double value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

}  // namespace

// to_chars and from_chars never look at the locale: a German desktop still writes "0.5".
std::string DoubleToText(double value) {
  if (!std::isfinite(value)) return Scientific(value, 1);
  int digits = 1;
  std::string scientific = Scientific(value, digits);
  while (digits < kMaxSignificantDigits && ReadBack(scientific) != value) {
    scientific = Scientific(value, ++digits);
  }
  const int exponent = std::stoi(scientific.substr(scientific.find('e') + 1));
  // Plain decimals over the range a person types; exponent form only far outside it.
  if (exponent < -5 || exponent >= kMaxSignificantDigits) {
    const double rounded = ReadBack(scientific);
    char buffer[64];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, rounded, std::chars_format::scientific);
    std::string text(buffer, end.ptr);
    for (char& c : text) c = c == 'e' ? 'E' : c;
    return text;
  }
  char buffer[64];
  const int decimals = std::max(0, digits - 1 - exponent);
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, ReadBack(scientific),
                                 std::chars_format::fixed, decimals);
  std::string text(buffer, end.ptr);
  if (text.find('.') != std::string::npos) {
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
  }
  return text;
}

std::string Int16ToText(int16_t value) {
  return std::to_string(value);
}

std::string BoolToText(bool value) {
  return value ? "True" : "False";
}

namespace {

// Digits with at most one point and at least one digit; an exponent part is allowed after.
bool IsPlainDecimal(const std::string& s) {
  size_t i = 0, digits = 0, points = 0;
  for (; i < s.size(); ++i) {
    if (std::isdigit(static_cast<unsigned char>(s[i]))) {
      ++digits;
    } else if (s[i] == '.') {
      if (++points > 1) return false;
    } else {
      break;
    }
  }
  if (digits == 0) return false;
  if (i == s.size()) return true;
  if (s[i] != 'e' && s[i] != 'E') return false;
  ++i;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  if (i == s.size()) return false;
  for (; i < s.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(s[i]))) return false;
  }
  return true;
}

}  // namespace

std::optional<double> ParseNumber(const std::string& text) {
  std::string s = TrimBlanks(text);
  bool negative = false;
  if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
    negative = s[0] == '-';
    s = TrimBlanks(s.substr(1));
  }
  if (!IsPlainDecimal(s)) return std::nullopt;
  double value = 0;
  const auto result = std::from_chars(s.data(), s.data() + s.size(), value);
  if (result.ec != std::errc() || result.ptr != s.data() + s.size()) return std::nullopt;
  if (!std::isfinite(value)) return std::nullopt;
  return negative ? -value : value;
}

std::optional<int16_t> ParseInt16(const std::string& text) {
  const auto number = ParseNumber(text);
  if (!number) return std::nullopt;
  const double rounded = RoundHalfEven(*number);
  if (rounded < -32768.0 || rounded > 32767.0) return std::nullopt;
  return static_cast<int16_t>(rounded);
}

std::optional<bool> ParseBool(const std::string& text) {
  std::string lower = TrimBlanks(text);
  for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
  if (lower == "true") return true;
  if (lower == "false") return false;
  if (const auto number = ParseNumber(text)) return *number != 0;
  return std::nullopt;
}
