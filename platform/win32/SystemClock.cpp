#include "platform/win32/SystemClock.h"

#include "platform/win32/WindowsApi.h"

#include <mmsystem.h>  // after <windows.h>, whose types it uses

int64_t SystemClock::NowMs() {
  const uint32_t now = timeGetTime();
  if (started_ && now < last_) base_ += int64_t(1) << 32;
  started_ = true;
  last_ = now;
  return base_ + now;
}
