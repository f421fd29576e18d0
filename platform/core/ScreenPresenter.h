// A way to the screen for the display's pixels: the X server through shared memory or plain
// puts, the toolkit's painting, and on other platforms a buffer of theirs. The frame pump
// hands it what changed after each pass; the beams and the start-up panel are drawn over the
// pixels, never into the scene.
#pragma once

#include <array>

#include "platform/core/LinePrimitive.h"
#include "platform/core/ScaledSurface.h"

struct ScreenOverlays {
  std::array<LineGeometry, 2> lines;  // the two beams, device pixels; only visible ones show
  const char* panelText = nullptr;    // a line of text in a black box at the top-left corner
};

class ScreenPresenter {
 public:
  virtual ~ScreenPresenter() = default;
  // Called before anything draws into the scene: returns once the screen no longer reads the
  // pixels it will draw into (it may move them).
  virtual void WaitIdle(ScaledSurface&) {}
  // A beam moved or changed; `before` and `after` in device pixels.
  virtual void BeamMoved(const LineGeometry& before, const LineGeometry& after) = 0;
  // Shows what changed in `screen` since the last call (nothing when nothing did), with the
  // overlays over it.
  virtual void Present(ScaledSurface& screen, const ScreenOverlays& overlays) = 0;
};

// The platform's single-shot timer, which runs the frame pump's next pass when it fires.
class PassTimer {
 public:
  virtual ~PassTimer() = default;
  virtual void Start(int milliseconds) = 0;
  virtual void Stop() = 0;
};
