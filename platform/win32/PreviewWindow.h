// The preview window of /p: the still picture in the top-left corner of a black window made
// a child of the host's window (SetParent) and sized to its client area. The program ends when
// the host takes it away; with no host it is a maximized window of its own.
#pragma once

#include <memory>

#include "platform/win32/MessageLoop.h"
#include "platform/win32/Picture.h"

class PreviewWindow {
 public:
  explicit PreviewWindow(MessageLoop& loop);
  ~PreviewWindow();

  // Shows the window inside `host` (a window handle; 0 or one that names no window: none).
  void ShowIn(int32_t host);

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l);
  void FitToHost();

  MessageLoop& loop_;
  Picture picture_;
  HWND window_ = nullptr;
  HWND host_ = nullptr;
  MessageLoop::Timer watch_;  // the host may go without our window hearing of it
};
