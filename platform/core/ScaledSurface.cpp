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

int PreviewShrink(int width, int height, int screenWidth, int screenHeight) {
  if (width <= 0 || height <= 0) return 1;
  const int shrink = std::min(screenWidth / width, screenHeight / height);
  return shrink >= 2 ? shrink : 1;
}

void ScaledSurface::Attach(uint32_t* device, int width, int height, int scale, int shrink) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  shrink_ = std::max(shrink, 1);
  scale_ = shrink_ > 1 ? 1 : std::max(scale, 1);
  if (device) {
    own_.clear();
    own_.shrink_to_fit();
    device_ = device;
  } else {
    own_.assign(size_t(width_) * size_t(height_), ToStored(kBlack));
    device_ = own_.data();
  }
  scene_.TrackChanges(true);
  if (shrink_ > 1) {
    std::fill(device_, device_ + size_t(width_) * size_t(height_), ToStored(kBlack));
    scene_.Resize(width_ * shrink_, height_ * shrink_, kBlack);
    return;
  }
  if (scale_ == 1) {
    scene_.UseBorrowedPixels(device_, width_, height_, kBlack);
    return;
  }
  // The columns and rows beyond the last whole square stay black.
  std::fill(device_, device_ + size_t(width_) * size_t(height_), ToStored(kBlack));
  scene_.Resize(width_ / scale_, height_ / scale_, kBlack);
}

void ScaledSurface::MoveDevicePixels(uint32_t* device) {
  if (device == device_) return;
  device_ = device;
  if (scale_ == 1 && shrink_ == 1) scene_.MoveBorrowedPixels(device_);
  if (device_ != own_.data()) {
    own_.clear();
    own_.shrink_to_fit();
  }
}

void ScaledSurface::OwnDevicePixels() {
  if (device_ == own_.data()) return;
  std::vector<uint32_t> copy(device_, device_ + size_t(width_) * size_t(height_));
  own_.swap(copy);
  MoveDevicePixels(own_.data());
}

void ScaledSurface::TakeChanges(std::vector<PixelRect>& into) {
  const size_t first = into.size();
  scene_.Changes().Take(into);
  if (shrink_ > 1) {
    for (size_t i = first; i < into.size(); ++i) into[i] = CopyDown(into[i]);
    return;
  }
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

// The device pixels that `r` of the scene touches, each the brightest of its square, channel
// by channel.
PixelRect ScaledSurface::CopyDown(const PixelRect& r) {
  const int k = shrink_;
  const int x0 = r.x / k, y0 = r.y / k;
  const int x1 = std::min((r.x + r.width + k - 1) / k, width_);
  const int y1 = std::min((r.y + r.height + k - 1) / k, height_);
  for (int y = y0; y < y1; ++y) {
    uint32_t* out = device_ + size_t(y) * size_t(width_);
    for (int x = x0; x < x1; ++x) {
      uint32_t r8 = 0, g8 = 0, b8 = 0;
      for (int dy = 0; dy < k; ++dy) {
        const uint32_t* row = scene_.Row(y * k + dy) + x * k;
        for (int dx = 0; dx < k; ++dx) {
          r8 = std::max(r8, row[dx] >> 16 & 0xFF);
          g8 = std::max(g8, row[dx] >> 8 & 0xFF);
          b8 = std::max(b8, row[dx] & 0xFF);
        }
      }
      out[x] = 0xFF000000u | r8 << 16 | g8 << 8 | b8;
    }
  }
  return {x0, y0, std::max(x1 - x0, 0), std::max(y1 - y0, 0)};
}

LineGeometry ScaledSurface::ToDevice(const LineGeometry& line) const {
  if (shrink_ > 1) {
    const float k = float(shrink_);
    LineGeometry device = line;
    device.X1 = line.X1 / k, device.Y1 = line.Y1 / k;
    device.X2 = line.X2 / k, device.Y2 = line.Y2 / k;
    device.Width = std::max(1.0f, line.Width / k);
    return device;
  }
  if (scale_ == 1) return line;
  // A scene pixel's centre is the centre of its square.
  const float s = float(scale_), half = (s - 1) / 2;
  LineGeometry device = line;
  device.X1 = line.X1 * s + half, device.Y1 = line.Y1 * s + half;
  device.X2 = line.X2 * s + half, device.Y2 = line.Y2 * s + half;
  device.Width = line.Width * s;
  return device;
}
