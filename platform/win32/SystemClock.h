// The Windows clock the frame schedule reads: timeGetTime's milliseconds, carried past its
// 49.7-day wrap.
#pragma once

#include <cstdint>

#include "platform/core/Clock.h"

class SystemClock : public Clock {
 public:
  int64_t NowMs() override;

 private:
  uint32_t last_ = 0;
  int64_t base_ = 0;
  bool started_ = false;
};
