// The X server as the way to the screen: the scene's changes go out as XcbPresenter's puts,
// and the server draws the beams and the start-up panel over the window after them. So where
// a beam was must be put again from the surface once it moves, and a change of the beams
// alone must still reach the screen.
#pragma once

#include <memory>
#include <vector>

#include "platform/core/ScreenPresenter.h"
#include "platform/desktop/XcbPresenter.h"

class ServerPresenter : public ScreenPresenter {
 public:
  explicit ServerPresenter(std::unique_ptr<XcbPresenter> xcb) : xcb_(std::move(xcb)) {}

  XcbPresenter& Xcb() { return *xcb_; }

  // ScreenPresenter
  void WaitIdle(ScaledSurface&) override { xcb_->WaitIdle(); }
  void BeamMoved(const LineGeometry& before, const LineGeometry&) override {
    if (before.Visible) AddBeamBoxes(before, stale_);
    changed_ = true;
  }
  void Present(ScaledSurface& screen, const ScreenOverlays& overlays) override;

  // An area the server drew over (the start-up panel), to be put again with the next frame.
  void Add(const PixelRect& area) { stale_.push_back(area); }
  // Every pixel of `screen`, as after a resize.
  void PresentAll(ScaledSurface& screen, const ScreenOverlays& overlays);
  // `areas` of the window again, as they are (the server lost them: an expose).
  void PresentAreas(const std::vector<PixelRect>& areas, const ScreenOverlays& overlays) {
    xcb_->Present(areas, overlays);
  }

 private:
  std::unique_ptr<XcbPresenter> xcb_;
  std::vector<PixelRect> stale_;
  std::vector<PixelRect> rects_;  // a frame's, kept so that a frame allocates nothing
  bool changed_ = false;
};
