// A shared-memory window's beams: the X server draws them over the window after each frame's
// puts, so where one was must be put again from the surface once it moves, and a change of
// the beams alone must still reach the screen.
#pragma once

#include <vector>

#include "platform/core/LinePrimitive.h"
#include "platform/core/ScaledSurface.h"
#include "platform/desktop/XcbPresenter.h"

class BeamTrail {
 public:
  // A beam changed; `before` is where it was, in device pixels.
  void Moved(const LineGeometry& before) {
    if (before.Visible) AddBeamBoxes(before, stale_);
    changed_ = true;
  }
  // An area the server drew over (the start-up panel), to be put again.
  void Add(const PixelRect& area) { stale_.push_back(area); }

  // The scene's changes and the trail, through `presenter`; nothing when there are none.
  void Present(XcbPresenter& presenter, ScaledSurface& screen, const ScreenOverlays& overlays) {
    if (!screen.Scene().Changes().Any() && stale_.empty() && !changed_) return;
    presenter.WaitIdle();  // the scene's changes go into what it reads
    rects_.clear();
    screen.TakeChanges(rects_);
    rects_.insert(rects_.end(), stale_.begin(), stale_.end());
    stale_.clear();
    changed_ = false;
    presenter.Present(rects_, overlays);
  }

 private:
  std::vector<PixelRect> stale_;
  std::vector<PixelRect> rects_;  // a frame's, kept so that a frame allocates nothing
  bool changed_ = false;
};
