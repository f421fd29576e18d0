// The live display drawn into a window that is not ours: the window a screensaver frontend
// hands us ($XSCREENSAVER_WINDOW, or the root window) or its settings dialog's preview pane.
//
// Nothing of our own is mapped. The scene takes the host's size and follows it; the pixels
// go through shared memory where the host's visual allows it, through plain puts elsewhere.
// Input belongs to the frontend: none is selected. When the host is destroyed the program
// ends, with a line on stderr and a non-zero status.
#pragma once

#include <QAbstractNativeEventFilter>
#include <memory>
#include <string>

#include "platform/core/Clock.h"
#include "platform/core/DisplayWindow.h"
#include "platform/core/FramePump.h"
#include "platform/desktop/QtPassTimer.h"
#include "platform/desktop/ServerPresenter.h"

struct xcb_connection_t;

class HostedWindow : public DisplayWindow, public QAbstractNativeEventFilter {
 public:
  // The window, or why there is none.
  struct Made {
    std::unique_ptr<HostedWindow> window;
    std::string error;  // when there is no window: why, for a line on stderr
  };
  // Host 0 is the root window; `log` may be null.
  static Made Create(DisplayEvents& events, Clock& clock, uint32_t host, FrameLog* log);
  ~HostedWindow() override;

  // Runs the activation, then the frame loop, from the event loop.
  void Start();

  // DisplayWindow
  Surface& FormDC() override { return pump_.FormDC(); }
  float ScaleWidth() const override { return pump_.ScaleWidth(); }
  float ScaleHeight() const override { return pump_.ScaleHeight(); }
  void SetMousePointer(MousePointer) override {}  // the pointer is the frontend's
  int ShowCursor(bool show) override { return cursor_count_ += show ? 1 : -1; }
  void HideInitPanel() override {}
  LinePrimitive& Line1() override { return pump_.Line1(); }
  LinePrimitive& Line2() override { return pump_.Line2(); }
  void Unload() override;

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

 private:
  HostedWindow(DisplayEvents& events, Clock& clock, uint32_t host, FrameLog* log,
               std::unique_ptr<XcbPresenter> xcb);
  void Resize(int width, int height);

  uint32_t host_;
  QtPassTimer timer_;
  FramePump pump_;
  ServerPresenter server_;
  int cursor_count_ = 0;
  int screen_width_ = 0, screen_height_ = 0;  // the screen the host is on
};
