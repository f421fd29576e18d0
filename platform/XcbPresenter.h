// Shows the display straight from shared memory: the window's surface draws into a segment
// that the X server reads from, so a frame costs one put request for each changed rectangle
// and no copy of a pixel on our side. The laser lines and the initialisation panel are drawn
// over the window by the X server after the puts; they never touch the surface.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/DirtyTiles.h"
#include "platform/LinePrimitive.h"
#include "platform/Surface.h"

struct xcb_connection_t;

struct ScreenOverlays {
  std::array<LineGeometry, 2> lines;  // the two beams; only visible ones are drawn
  const Surface* panel = nullptr;     // at the top-left corner, while shown
};

class XcbPresenter {
 public:
  // nullptr when the server cannot share memory with us or the window is not a 24-bit one;
  // the window then paints through the toolkit.
  static std::unique_ptr<XcbPresenter> Create(xcb_connection_t* connection, uint32_t window,
                                              int width, int height);
  ~XcbPresenter();
  XcbPresenter(const XcbPresenter&) = delete;
  XcbPresenter& operator=(const XcbPresenter&) = delete;

  // The shared pixels (width x height, 0xFFRRGGBB) for the window's surface to draw into.
  uint32_t* Pixels() { return pixels_; }
  bool Resize(int width, int height);

  // Returns once the server has read everything put so far: call before drawing again.
  void WaitIdle();
  void Present(const std::vector<PixelRect>& rects, const ScreenOverlays& overlays);

 private:
  XcbPresenter(xcb_connection_t* connection, uint32_t window);
  bool Attach(int width, int height);
  void Detach();
  void DrawPanel(const Surface& panel);
  void DrawLine(const LineGeometry& line);

  xcb_connection_t* c_;
  uint32_t window_;
  uint32_t gc_ = 0;
  uint32_t segment_ = 0;
  uint32_t* pixels_ = nullptr;
  int width_ = 0, height_ = 0;
  bool pending_ = false;  // puts sent that the server may not have read yet
};
