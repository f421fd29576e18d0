// Number conversions of the program: every real-to-integer conversion goes through one of
// these, so the rounding rule and the range check live in one place.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "platform/core/Failure.h"

// x to the nearest integer, ties to the even neighbour (the default FPU rounding mode).
inline double RoundHalfEven(double x) {
  return std::nearbyint(x);
}

namespace numeric_detail {
template <typename Int>
Int CheckedConvert(double rounded) {
  if (!(rounded >= double(std::numeric_limits<Int>::min()) &&
        rounded <= double(std::numeric_limits<Int>::max()))) {
    throw RuntimeError("overflow converting " + std::to_string(rounded));
  }
  return static_cast<Int>(rounded);
}
}  // namespace numeric_detail

// Nearest integer (ties to even) as a 16-bit signed value; out of range is a RuntimeError.
inline int16_t Nearest16(double x) {
  return numeric_detail::CheckedConvert<int16_t>(RoundHalfEven(x));
}

// Nearest integer (ties to even) as a 32-bit signed value; out of range is a RuntimeError.
inline int32_t Nearest32(double x) {
  return numeric_detail::CheckedConvert<int32_t>(RoundHalfEven(x));
}

// Largest integer not above x, as a 16-bit signed value; out of range is a RuntimeError.
inline int16_t Floor16(double x) {
  return numeric_detail::CheckedConvert<int16_t>(std::floor(x));
}

// 16-bit addition that fails instead of wrapping.
inline int16_t CheckedAdd16(int a, int b) {
  return numeric_detail::CheckedConvert<int16_t>(double(a) + double(b));
}
