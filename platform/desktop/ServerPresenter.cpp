#include "platform/desktop/ServerPresenter.h"

void ServerPresenter::Present(ScaledSurface& screen, const ScreenOverlays& overlays) {
  if (!screen.Scene().Changes().Any() && stale_.empty() && !changed_) return;
  xcb_->WaitIdle();  // the scene's changes go into what it reads
  rects_.clear();
  screen.TakeChanges(rects_);
  rects_.insert(rects_.end(), stale_.begin(), stale_.end());
  stale_.clear();
  changed_ = false;
  xcb_->Present(rects_, overlays);
}

void ServerPresenter::PresentAll(ScaledSurface& screen, const ScreenOverlays& overlays) {
  xcb_->WaitIdle();
  screen.TakeChanges();
  stale_.clear();
  changed_ = false;
  xcb_->Present({{0, 0, screen.DeviceWidth(), screen.DeviceHeight()}}, overlays);
}
