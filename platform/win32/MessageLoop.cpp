#include "platform/win32/MessageLoop.h"

#include <mmsystem.h>

#include <algorithm>

MessageLoop::MessageLoop(Clock& clock) : clock_(clock) {
  timeBeginPeriod(1);
}

MessageLoop::~MessageLoop() {
  timeEndPeriod(1);
}

int MessageLoop::Run() {
  while (!quit_) Turn();
  return status_;
}

void MessageLoop::RunUntil(const std::function<bool()>& done) {
  while (!quit_ && !done()) Turn();
}

void MessageLoop::Quit(int status) {
  quit_ = true;
  status_ = status;
}

void MessageLoop::Turn() {
  MsgWaitForMultipleObjectsEx(0, nullptr, Wait(), QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  MSG message;
  while (!quit_ && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      Quit(int(message.wParam));
      break;
    }
    if (dialog_ && IsDialogMessageA(dialog_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  FireDueTimers();
}

DWORD MessageLoop::Wait() const {
  int64_t soonest = -1;
  for (const Timer* timer : timers_) {
    if (timer->armed_ && (soonest < 0 || timer->due_ < soonest)) soonest = timer->due_;
  }
  if (soonest < 0) return INFINITE;
  return DWORD(std::max<int64_t>(0, soonest - clock_.NowMs()));
}

void MessageLoop::FireDueTimers() {
  const int64_t now = clock_.NowMs();
  // A timer may be made, started or dropped by what another one runs: look at a copy.
  const std::vector<Timer*> timers = timers_;
  for (Timer* timer : timers) {
    if (std::find(timers_.begin(), timers_.end(), timer) == timers_.end()) continue;
    if (!timer->armed_ || timer->due_ > now) continue;
    timer->armed_ = false;
    timer->fire_();
  }
}

MessageLoop::Timer::Timer(MessageLoop& loop, std::function<void()> fire)
    : loop_(loop), fire_(std::move(fire)) {
  loop_.timers_.push_back(this);
}

MessageLoop::Timer::~Timer() {
  std::erase(loop_.timers_, this);
}

void MessageLoop::Timer::Start(int milliseconds) {
  due_ = loop_.clock_.NowMs() + milliseconds;
  armed_ = true;
}
