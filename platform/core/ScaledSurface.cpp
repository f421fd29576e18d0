#include "platform/core/ScaledSurface.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int kLargeScreenSide = 1600;  // a shorter side beyond this is a high-density screen
constexpr int kSceneSide = 1080;        // ... and is scaled to look about this tall
}  // namespace

int ScreenScale(int deviceWidth, int deviceHeight, double devicePixelRatio) {
  const int shorter = std::min(deviceWidth, deviceHeight);
  int scale = std::max(1, int(std::lround(devicePixelRatio)));
  if (shorter > kLargeScreenSide) scale = std::max({scale, 2, int(shorter / kSceneSide)});
  return scale;
}

void ScaledSurface::Attach(uint32_t* device, int width, int height, int scale) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  scale_ = std::max(scale, 1);
  if (device) {
    own_.clear();
    own_.shrink_to_fit();
    device_ = device;
  } else {
    own_.assign(size_t(width_) * size_t(height_), ToStored(kBlack));
    device_ = own_.data();
  }
  scene_.TrackChanges(true);
  if (scale_ == 1) {
    scene_.UseBorrowedPixels(device_, width_, height_, kBlack);
    return;
  }
  // The columns and rows beyond the last whole square stay black.
  std::fill(device_, device_ + size_t(width_) * size_t(height_), ToStored(kBlack));
  scene_.Resize(width_ / scale_, height_ / scale_, kBlack);
}

void ScaledSurface::TakeChanges(std::vector<PixelRect>& into) {
  const size_t first = into.size();
  scene_.Changes().Take(into);
  if (scale_ == 1) return;
  for (size_t i = first; i < into.size(); ++i) {
    PixelRect& r = into[i];
    CopyUp(r);
    r = {r.x * scale_, r.y * scale_, r.width * scale_, r.height * scale_};
  }
}

void ScaledSurface::CopyUp(const PixelRect& r) {
  const int s = scale_;
  for (int y = r.y; y < r.y + r.height; ++y) {
    const uint32_t* source = scene_.Row(y) + r.x;
    uint32_t* first = device_ + size_t(y * s) * size_t(width_) + size_t(r.x * s);
    for (int x = 0; x < r.width; ++x) std::fill_n(first + x * s, s, source[x]);
    for (int dy = 1; dy < s; ++dy) {
      std::copy_n(first, size_t(r.width * s), first + size_t(dy) * size_t(width_));
    }
  }
}

LineGeometry ScaledSurface::ToDevice(const LineGeometry& line) const {
  if (scale_ == 1) return line;
  // A scene pixel's centre is the centre of its square.
  const float s = float(scale_), half = (s - 1) / 2;
  LineGeometry device = line;
  device.X1 = line.X1 * s + half, device.Y1 = line.Y1 * s + half;
  device.X2 = line.X2 * s + half, device.Y2 = line.Y2 * s + half;
  device.Width = line.Width * s;
  return device;
}
