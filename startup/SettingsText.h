// The text forms in which settings are stored, and the rules that read them back. Numbers
// always use a point as the decimal separator, whatever the locale, so a file stays readable
// when the user's language changes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/core/Blanks.h"

// Shortest decimal text that reads back as `value`, at most 15 significant digits, no point
// for whole numbers: 0.5 -> "0.5", 1 -> "1", 2.25 -> "2.25".
std::string DoubleToText(double value);
std::string Int16ToText(int16_t value);
std::string BoolToText(bool value);  // "True" / "False"

// A decimal number with optional sign and point, blanks around it allowed; nullopt otherwise.
std::optional<double> ParseNumber(const std::string& text);

// The number rounded to the nearest integer (ties to even) within -32768..32767; else nullopt.
std::optional<int16_t> ParseInt16(const std::string& text);

// "True"/"False" in any letter case, or a number (0 is False, any other number True).
std::optional<bool> ParseBool(const std::string& text);
