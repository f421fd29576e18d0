// The live display drawn into a window that is not ours: the window a screensaver frontend
// hands us ($XSCREENSAVER_WINDOW, or the root window) or its settings dialog's preview pane.
//
// Nothing of our own is mapped. The scene takes the host's size and follows it; the pixels
// go through shared memory where the host's visual allows it, through plain puts elsewhere.
// Input belongs to the frontend: none is selected. When the host is destroyed the program
// ends, with a line on stderr and a non-zero status.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QTimer>
#include <memory>
#include <string>

#include "platform/core/Clock.h"
#include "platform/core/DisplayWindow.h"
#include "platform/core/FrameLog.h"
#include "platform/core/ScaledSurface.h"
#include "platform/desktop/BeamTrail.h"
#include "platform/desktop/XcbPresenter.h"

struct xcb_connection_t;

class HostedWindow : public DisplayWindow, public QAbstractNativeEventFilter {
 public:
  // nullptr, with the reason in `error`, when `host` names no window we can draw into;
  // host 0 is the root window.
  static std::unique_ptr<HostedWindow> Create(DisplayEvents& events, Clock& clock, uint32_t host,
                                              std::string* error);
  ~HostedWindow() override;

  // Runs the activation, then the frame loop, from the event loop.
  void Start();

  // DisplayWindow
  Surface& FormDC() override { return screen_.Scene(); }
  float ScaleWidth() const override { return float(screen_.Scene().Width()); }
  float ScaleHeight() const override { return float(screen_.Scene().Height()); }
  void SetMousePointer(MousePointer) override {}  // the pointer is the frontend's
  int ShowCursor(bool show) override { return cursor_count_ += show ? 1 : -1; }
  void HideInitPanel() override {}
  LinePrimitive& Line1() override { return lines_[0]; }
  LinePrimitive& Line2() override { return lines_[1]; }
  void Unload() override;

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

 private:
  HostedWindow(DisplayEvents& events, Clock& clock, xcb_connection_t* connection, uint32_t host);
  void Resize(int width, int height);
  void RunPass();
  void Present();
  void PresentAll();
  ScreenOverlays Overlays() const;

  DisplayEvents& events_;
  Clock& clock_;
  xcb_connection_t* c_;
  uint32_t host_;
  std::unique_ptr<XcbPresenter> presenter_;
  void AttachScreen(int width, int height);

  ScaledSurface screen_;  // the scene's surface, and the host's pixels it shows on
  LinePrimitive lines_[2];
  BeamTrail beams_;  // what the server drew over the host window
  int cursor_count_ = 0;
  QTimer pass_timer_;
  bool started_ = false;
  FrameLog frame_log_;
};
