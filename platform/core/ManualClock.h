// A clock that moves only when told to: for rendering stills of the display, and for tests
// and benchmarks.
#pragma once

#include <cstdint>

#include "platform/core/Clock.h"

class ManualClock : public Clock {
 public:
  explicit ManualClock(int64_t start = 0) : now_(start) {}
  int64_t NowMs() override { return now_; }
  void Set(int64_t ms) { now_ = ms; }
  void Advance(int64_t ms) { now_ += ms; }

 private:
  int64_t now_;
};
