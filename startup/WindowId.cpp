#include "startup/WindowId.h"

#include "platform/core/Blanks.h"

std::optional<uint32_t> ParseWindowId(std::string_view text) {
  const std::string trimmed = TrimBlanks(std::string(text));
  std::string_view digits = trimmed;
  int base = 10;
  if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
    digits.remove_prefix(2);
    base = 16;
  }
  if (digits.empty()) return std::nullopt;
  uint64_t value = 0;
  for (const char c : digits) {
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0) return std::nullopt;
    value = value * uint64_t(base) + uint64_t(digit);
    if (value > 0xFFFFFFFFull) return std::nullopt;
  }
  return uint32_t(value);
}
