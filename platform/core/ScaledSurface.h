// The scene's surface on a screen of many pixels. On a screen whose shorter side is over 1600
// pixels, or whose toolkit asks for more than one device pixel per point, every scene pixel
// takes a square of `scale` x `scale` device pixels: a 3840 x 2160 screen shows the scene of a
// 1920 x 1080 one, stars, portraits and beams alike, at the cost of copying only what moved.
// At scale 1 the scene draws straight into the device pixels, as it always has.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/core/DirtyTiles.h"
#include "platform/core/LinePrimitive.h"
#include "platform/core/Surface.h"

// The whole number of device pixels a scene pixel takes on such a screen.
int ScreenScale(int deviceWidth, int deviceHeight, double devicePixelRatio);

// How many times smaller than its screen a window is, when it is much smaller (a frontend's
// preview pane): its scene is then that many times its size, as on the screen, and shown
// shrunk. 1 for a window at least half as wide or as tall as the screen.
int PreviewShrink(int width, int height, int screenWidth, int screenHeight);

class ScaledSurface {
 public:
  // Shows a scene of (width / scale) x (height / scale) on `device` (width x height,
  // 0xFFRRGGBB), which the caller keeps valid until the next Attach; with nullptr the device
  // pixels are our own. Every pixel is set to black and the whole area marked changed.
  // With `shrink` above 1 the scene is (width x shrink) x (height x shrink) instead, each
  // device pixel showing the brightest of its square of scene pixels, so that a star stays
  // a lit point however small the window.
  void Attach(uint32_t* device, int width, int height, int scale, int shrink = 1);

  // The device pixels are now at `device`, of the same size, which the caller has made a
  // copy of them; the scene draws on into them. And the other way: a copy of our own.
  void MoveDevicePixels(uint32_t* device);
  void OwnDevicePixels();

  Surface& Scene() { return scene_; }
  const Surface& Scene() const { return scene_; }
  int Scale() const { return scale_; }
  const uint32_t* DevicePixels() const { return device_; }
  int DeviceWidth() const { return width_; }
  int DeviceHeight() const { return height_; }

  // The scene's changed area copied onto the device pixels; the device rectangles it covers,
  // added to the end of `into`.
  void TakeChanges(std::vector<PixelRect>& into);
  std::vector<PixelRect> TakeChanges() {
    std::vector<PixelRect> rects;
    TakeChanges(rects);
    return rects;
  }

  // A beam, and a point of the scene, in device pixels; a device point in the scene.
  LineGeometry ToDevice(const LineGeometry& line) const;
  float ToScene(float devicePixel) const { return devicePixel * float(shrink_) / float(scale_); }

 private:
  void CopyUp(const PixelRect& r);
  PixelRect CopyDown(const PixelRect& r);

  Surface scene_;
  std::vector<uint32_t> own_;
  uint32_t* device_ = nullptr;
  int width_ = 0, height_ = 0;
  int scale_ = 1;
  int shrink_ = 1;
};
