// One monitor's display window on Windows: a topmost popup over the whole monitor, drawn
// through a DIB section, its frame passes on the message loop's precise timer. Input comes
// through the frame pump, held until the activation as on the other platforms.
#pragma once

#include <functional>
#include <memory>

#include "platform/core/DisplayWindow.h"
#include "platform/core/FramePump.h"
#include "platform/win32/DibPresenter.h"
#include "platform/win32/MessageLoop.h"

class DisplayWindow32 : public DisplayWindow {
 public:
  // `unload` closes the display (every window of it); `log` may be null.
  DisplayWindow32(MessageLoop& loop, DisplayEvents& events, Clock& clock,
                  std::function<void()> unload, FrameLog* log);
  ~DisplayWindow32() override;
  DisplayWindow32(const DisplayWindow32&) = delete;
  DisplayWindow32& operator=(const DisplayWindow32&) = delete;

  // Opens the window over `monitor` (screen pixels), shown and active; the activation follows
  // from the message loop.
  void ShowOn(const RECT& monitor);
  void Close();
  HWND Handle() const { return window_; }

  // DisplayWindow
  Surface& FormDC() override { return pump_.FormDC(); }
  float ScaleWidth() const override { return pump_.ScaleWidth(); }
  float ScaleHeight() const override { return pump_.ScaleHeight(); }
  void SetMousePointer(MousePointer shape) override;
  int ShowCursor(bool show) override { return ::ShowCursor(show ? TRUE : FALSE); }
  void HideInitPanel() override { pump_.HidePanel(); }
  LinePrimitive& Line1() override { return pump_.Line1(); }
  LinePrimitive& Line2() override { return pump_.Line2(); }
  void Unload() override { unload_(); }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT Handle(UINT message, WPARAM w, LPARAM l);
  void Fit(int width, int height);
  void Activate();
  void Mouse(UINT message, WPARAM w, LPARAM l);
  static int ShiftState();

  DisplayEvents& events_;
  std::function<void()> unload_;
  MessageLoop::Timer timer_;
  FramePump pump_;
  HWND window_ = nullptr;
  std::unique_ptr<DibPresenter> presenter_;
  MousePointer pointer_ = MousePointer::Default;
  bool closed_ = false;
};
