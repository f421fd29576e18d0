// Puts rectangles of the display straight into its X window through a shared-memory image:
// no toolkit painting and no backing store in between, so a frame costs the X server only
// the pixels that changed.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/ScreenCompose.h"

struct xcb_connection_t;

class XcbPresenter {
 public:
  // nullptr when the server cannot share memory with us or the window is not a 24-bit one;
  // the window then paints through the toolkit.
  static std::unique_ptr<XcbPresenter> Create(xcb_connection_t* connection, uint32_t window,
                                              int width, int height);
  ~XcbPresenter();
  XcbPresenter(const XcbPresenter&) = delete;
  XcbPresenter& operator=(const XcbPresenter&) = delete;

  bool Resize(int width, int height);
  void Present(const Surface& surface, const std::vector<PixelRect>& rects,
               const ScreenOverlays& overlays);

 private:
  XcbPresenter(xcb_connection_t* connection, uint32_t window);
  bool Attach(int width, int height);
  void Detach();

  xcb_connection_t* c_;
  uint32_t window_;
  uint32_t gc_ = 0;
  uint32_t segment_ = 0;
  int shmid_ = -1;
  uint32_t* pixels_ = nullptr;
  int width_ = 0, height_ = 0;
};
