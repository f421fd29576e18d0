// The millisecond clock. Everything timed in the program reads one injected Clock, so tests
// can step time by hand. Readings are 64-bit: a 32-bit count would wrap after 24.8 days.
#pragma once

#include <cstdint>

class Clock {
 public:
  virtual ~Clock() = default;
  virtual int64_t NowMs() = 0;
  // The same reading with the fractions of a millisecond the clock has: for diagnostics.
  virtual double PreciseMs() { return double(NowMs()); }
};

// Milliseconds of the monotonic system clock; never goes back, unaffected by clock changes.
class SteadyClock : public Clock {
 public:
  int64_t NowMs() override;
  double PreciseMs() override;
};
