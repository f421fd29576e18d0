#include "platform/core/BufferedPresenter.h"

#include <algorithm>
#include <cstring>

#include "platform/core/BeamPainter.h"

namespace {

// A buffer the screen keeps for long gathers changes without end; past this many it is
// simpler to copy their bounding box.
constexpr size_t kMostStaleRects = 512;

PixelRect Clipped(const PixelRect& r, int width, int height) {
  const int left = std::max(0, r.x), top = std::max(0, r.y);
  const int right = std::min(width, r.x + r.width), bottom = std::min(height, r.y + r.height);
  if (left >= right || top >= bottom) return {0, 0, 0, 0};
  return {left, top, right - left, bottom - top};
}

PixelRect Bounds(const std::vector<PixelRect>& rects) {
  int left = rects[0].x, top = rects[0].y;
  int right = left + rects[0].width, bottom = top + rects[0].height;
  for (const PixelRect& r : rects) {
    left = std::min(left, r.x), top = std::min(top, r.y);
    right = std::max(right, r.x + r.width), bottom = std::max(bottom, r.y + r.height);
  }
  return {left, top, right - left, bottom - top};
}

void AddVisibleBeams(const std::array<LineGeometry, 2>& beams, std::vector<PixelRect>& into) {
  for (const LineGeometry& beam : beams) {
    if (beam.Visible) AddBeamBoxes(beam, into);
  }
}

}  // namespace

void BufferedPresenter::Reset(int width, int height) {
  DropBuffers();
  buffers_.clear();
  width_ = width, height_ = height;
  last_beams_ = {};
  panel_shown_ = false;
}

void BufferedPresenter::Present(ScaledSurface& screen, const ScreenOverlays& overlays) {
  const bool panel = overlays.panelText && panel_image_;
  if (!screen.Scene().Changes().Any() && !beams_moved_ && panel == panel_shown_ && !pending_)
    return;
  changed_.clear();
  screen.TakeChanges(changed_);
  for (Buffer& buffer : buffers_) {
    buffer.stale.insert(buffer.stale.end(), changed_.begin(), changed_.end());
    if (buffer.stale.size() > kMostStaleRects) buffer.stale = {Bounds(buffer.stale)};
  }
  beams_moved_ = false;
  pending_ = true;
  Buffer* buffer = FreeBuffer();
  if (!buffer) return;  // every buffer is on screen: the changes wait in their lists

  // What to copy from the surface: what changed since this buffer was shown, and where it
  // shows overlays that have moved or gone.
  std::vector<PixelRect> restore = std::move(buffer->stale);
  buffer->stale.clear();
  if (buffer->beams != overlays.lines) AddVisibleBeams(buffer->beams, restore);
  if (buffer->panel && !panel) restore.push_back(PanelBox());
  Copy(*buffer, screen, restore);
  DrawOverlays(*buffer, overlays, panel);

  // What changes on screen: besides the above, the overlays the buffer shown before had (it
  // may not be this one) and those drawn now.
  std::vector<PixelRect>& shown = restore;
  AddVisibleBeams(last_beams_, shown);
  AddVisibleBeams(overlays.lines, shown);
  if (panel || panel_shown_) shown.push_back(PanelBox());
  for (PixelRect& r : shown) r = Clipped(r, width_, height_);
  std::erase_if(shown, [](const PixelRect& r) { return r.width == 0; });
  ShowBuffer(int(buffer - buffers_.data()), shown);
  pending_ = false;
  panel_shown_ = panel;
  last_beams_ = overlays.lines;
}

BufferedPresenter::Buffer* BufferedPresenter::FreeBuffer() {
  for (size_t i = 0; i < buffers_.size(); ++i) {
    if (BufferFree(int(i))) return &buffers_[i];
  }
  if (buffers_.size() >= kMostBuffers || width_ <= 0 || height_ <= 0) return nullptr;
  uint32_t* pixels = MakeBuffer(int(buffers_.size()), width_, height_);
  if (!pixels) return nullptr;
  Buffer& made = buffers_.emplace_back();
  made.pixels = pixels;
  made.stale = {{0, 0, width_, height_}};
  return &made;
}

void BufferedPresenter::Copy(Buffer& buffer, const ScaledSurface& screen,
                             const std::vector<PixelRect>& areas) {
  const uint32_t* source = screen.DevicePixels();
  if (!source || screen.DeviceWidth() != width_ || screen.DeviceHeight() != height_) return;
  for (const PixelRect& area : areas) {
    const PixelRect r = Clipped(area, width_, height_);
    for (int y = r.y; y < r.y + r.height; ++y) {
      const size_t at = size_t(y) * size_t(width_) + size_t(r.x);
      std::memcpy(buffer.pixels + at, source + at, size_t(r.width) * sizeof(uint32_t));
    }
  }
}

void BufferedPresenter::DrawOverlays(Buffer& buffer, const ScreenOverlays& overlays, bool panel) {
  if (panel) {
    const PixelRect box = PanelBox();
    for (int y = 0; y < box.height; ++y) {
      std::memcpy(buffer.pixels + size_t(y) * size_t(width_), panel_image_->Row(y),
                  size_t(box.width) * sizeof(uint32_t));
    }
  }
  for (const LineGeometry& beam : overlays.lines) PaintBeam(buffer.pixels, width_, height_, beam);
  buffer.beams = overlays.lines;
  buffer.panel = panel;
}

PixelRect BufferedPresenter::PanelBox() const {
  if (!panel_image_) return {0, 0, 0, 0};
  return {0, 0, std::min(width_, panel_image_->Width()), std::min(height_, panel_image_->Height())};
}
