// The schedule of a display window, whatever its way to the screen: each pass runs the form's
// frame loop once, hands what changed to the presenter, and arms the timer to the next time
// the form says something is due. It never sleeps and never loops; input comes between passes.
//
// It also keeps what every display window shares: the scene's surface on the device pixels,
// the two beams, and the start-up panel's text while the panel shows.
#pragma once

#include <functional>
#include <vector>

#include "platform/core/Clock.h"
#include "platform/core/DisplayWindow.h"
#include "platform/core/FrameLog.h"
#include "platform/core/ScaledSurface.h"
#include "platform/core/ScreenPresenter.h"

class FramePump {
 public:
  // `log` may be null.
  FramePump(DisplayEvents& events, Clock& clock, PassTimer& timer, FrameLog* log);

  // The presenter from now on; null while there is none (nothing is shown then).
  void SetPresenter(ScreenPresenter* presenter) { presenter_ = presenter; }

  Surface& FormDC() { return screen_.Scene(); }
  float ScaleWidth() const { return float(screen_.Scene().Width()); }
  float ScaleHeight() const { return float(screen_.Scene().Height()); }
  LinePrimitive& Line1() { return lines_[0]; }
  LinePrimitive& Line2() { return lines_[1]; }
  ScaledSurface& Screen() { return screen_; }
  const ScaledSurface& Screen() const { return screen_; }

  // The device pixels changed size: `device` (null: our own) of width x height, `ratio`
  // device pixels a point, on a screen of screenWidth x screenHeight (0: the window's own
  // size) of which a much smaller window shows a shrunk scene. The scene is blackened,
  // resized and told.
  void Resize(uint32_t* device, int width, int height, double ratio, int screenWidth = 0,
              int screenHeight = 0);

  void ShowPanel(const char* text) { panel_text_ = text; }
  void HidePanel() { panel_text_ = nullptr; }
  ScreenOverlays Overlays() const;

  // The activation; then the input that came before it, in order, until one of it ends the
  // display.
  void Start();
  // Input: handled now once started, else held for the activation, which it must not
  // overtake (the activation sets the state it is judged against).
  void Deliver(std::function<void()> input);
  bool Started() const { return started_; }
  // Ends the passes: the window is going.
  void Stop();

  void RunPass();  // the timer's
  void Present();  // what changed since the last pass, now (after input that drew)

 private:
  void ReadyToDraw();  // before anything may draw into the scene

  DisplayEvents& events_;
  Clock& clock_;
  PassTimer& timer_;
  FrameLog* log_;
  ScreenPresenter* presenter_ = nullptr;
  ScaledSurface screen_;
  LinePrimitive lines_[2];
  const char* panel_text_ = nullptr;
  std::vector<std::function<void()>> held_input_;
  bool started_ = false;
  bool stopped_ = false;
};
