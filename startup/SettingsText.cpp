#include "startup/SettingsText.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "platform/Numeric.h"

std::string DoubleToText(double value) {
  char buffer[64];
  for (int digits = 1; digits <= 15; ++digits) {
    std::snprintf(buffer, sizeof buffer, "%.*G", digits, value);
    if (std::strtod(buffer, nullptr) == value) return buffer;
  }
  std::snprintf(buffer, sizeof buffer, "%.15G", value);
  return buffer;
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

std::string TrimBlanks(const std::string& s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

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
