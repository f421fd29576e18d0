// The millisecond clock. Everything timed in the program reads one injected Clock, so tests
// can step time by hand. Readings are 64-bit: a 32-bit count would wrap after 24.8 days.
#pragma once

#include <cstdint>

class Clock {
 public:
  virtual ~Clock() = default;
  virtual int64_t NowMs() = 0;
};

// Milliseconds of the monotonic system clock; never goes back, unaffected by clock changes.
class SteadyClock : public Clock {
 public:
  int64_t NowMs() override;
};

// A clock that moves only when told to: for tests and for rendering stills.
class ManualClock : public Clock {
 public:
  explicit ManualClock(int64_t start = 0) : now_(start) {}
  int64_t NowMs() override { return now_; }
  void Set(int64_t ms) { now_ = ms; }
  void Advance(int64_t ms) { now_ += ms; }

 private:
  int64_t now_;
};
