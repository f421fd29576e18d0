#include "platform/core/Random.h"

#include <chrono>

float XorShiftRandom::Next() {
  state_ ^= state_ >> 12;
  state_ ^= state_ << 25;
  state_ ^= state_ >> 27;
  const uint64_t mixed = state_ * 0x2545F4914F6CDD1Dull;
  return float(mixed >> 40) * (1.0f / 16777216.0f);  // top 24 bits: exact in a float
}

void XorShiftRandom::SeedFromTime() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  Seed(uint64_t(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
}
