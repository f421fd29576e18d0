// The program's one thread of events on Windows: window messages, a dialog's keyboard
// navigation, and the single-shot timers the frame passes are armed with, each fired at its
// due time to the millisecond (the system's timer resolution is raised to 1 ms while the loop
// runs; a WM_TIMER would come up to 15 ms late).
#pragma once

#include "platform/win32/WindowsApi.h"

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/core/Clock.h"
#include "platform/core/ScreenPresenter.h"

class MessageLoop {
 public:
  explicit MessageLoop(Clock& clock);
  ~MessageLoop();
  MessageLoop(const MessageLoop&) = delete;
  MessageLoop& operator=(const MessageLoop&) = delete;

  // Runs until Quit(), or until `done` says so (a modal window's loop inside the main one).
  int Run();
  void RunUntil(const std::function<bool()>& done);
  void Quit(int status);

  // The dialog whose keys (Tab, Enter, Esc, access keys) the loop hands to it.
  void SetDialog(HWND dialog) { dialog_ = dialog; }

  // A single-shot timer of this loop.
  class Timer : public PassTimer {
   public:
    Timer(MessageLoop& loop, std::function<void()> fire);
    ~Timer() override;
    void Start(int milliseconds) override;
    void Stop() override { armed_ = false; }

   private:
    friend class MessageLoop;
    MessageLoop& loop_;
    std::function<void()> fire_;
    int64_t due_ = 0;
    bool armed_ = false;
  };

 private:
  void Turn();  // waits for a message or the next timer, and handles what came
  DWORD Wait() const;
  void FireDueTimers();

  Clock& clock_;
  std::vector<Timer*> timers_;
  HWND dialog_ = nullptr;
  bool quit_ = false;
  int status_ = 0;
};
