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

uint32_t* BufferedPresenter::Reset(int width, int height) {
  DropBuffers();
  buffers_.clear();
  drawing_ = -1;
  width_ = width, height_ = height;
  last_beams_ = {};
  panel_shown_ = false;
  drawing_ = MakeOne();
  return drawing_ < 0 ? nullptr : buffers_[size_t(drawing_)].pixels;
}

void BufferedPresenter::Detach(ScaledSurface& screen) {
  if (!OnOurBuffer(screen)) return;
  Restore(buffers_[size_t(drawing_)]);
  screen.OwnDevicePixels();
}

bool BufferedPresenter::OnOurBuffer(const ScaledSurface& screen) const {
  return drawing_ >= 0 && screen.DevicePixels() == buffers_[size_t(drawing_)].pixels;
}

void BufferedPresenter::WaitIdle(ScaledSurface& screen) {
  if (!OnOurBuffer(screen)) return;
  if (!BufferFree(drawing_)) {
    const int to = OtherFreeBuffer();
    // With none, the scene draws on into the buffer on screen: a frame may show half drawn.
    if (to >= 0) MoveScreen(screen, to);
  }
  Restore(buffers_[size_t(drawing_)]);  // the overlays of its last showing
}

int BufferedPresenter::OtherFreeBuffer() {
  auto free = [this] {
    for (int i = 0; i < int(buffers_.size()); ++i) {
      if (i != drawing_ && BufferFree(i)) return i;
    }
    return -1;
  };
  int found = free();
  if (found < 0 && buffers_.size() < size_t(kTurns)) found = MakeOne();
  if (found >= 0) return found;
  AwaitRelease();
  found = free();
  if (found < 0 && buffers_.size() < size_t(kMostBuffers)) found = MakeOne();
  return found;
}

int BufferedPresenter::MakeOne() {
  if (width_ <= 0 || height_ <= 0) return -1;
  uint32_t* pixels = MakeBuffer(int(buffers_.size()), width_, height_);
  if (!pixels) return -1;
  Buffer& made = buffers_.emplace_back();
  made.pixels = pixels;
  made.stale = {{0, 0, width_, height_}};
  return int(buffers_.size()) - 1;
}

// The scene moves from the buffer on screen to `to`: `to` gets what was drawn since it was
// last drawn into and what its own overlays hid, and, where the buffer on screen shows
// overlays, the scene's pixels kept from under them.
void BufferedPresenter::MoveScreen(ScaledSurface& screen, int to) {
  const Buffer& from = buffers_[size_t(drawing_)];
  Buffer& target = buffers_[size_t(to)];
  std::vector<PixelRect> areas = std::move(target.stale);
  target.stale.clear();
  for (const Saved& saved : target.under) areas.push_back(saved.area);
  target.under.clear();
  CopyAreas(from, target, areas);
  for (const Saved& saved : from.under) Paste(saved, target);
  screen.MoveDevicePixels(target.pixels);
  drawing_ = to;
}

void BufferedPresenter::Present(ScaledSurface& screen, const ScreenOverlays& overlays) {
  const bool panel = overlays.panelText && panel_image_;
  if (!screen.Scene().Changes().Any() && !beams_moved_ && panel == panel_shown_) return;
  if (!OnOurBuffer(screen)) {
    screen.TakeChanges(changed_);  // nowhere to show them
    changed_.clear();
    return;
  }
  Buffer& buffer = buffers_[size_t(drawing_)];
  Restore(buffer);  // shown before, and nothing drawn since: its overlays are drawn again
  changed_.clear();
  screen.TakeChanges(changed_);
  for (Buffer& other : buffers_) {
    if (&other == &buffer) continue;
    other.stale.insert(other.stale.end(), changed_.begin(), changed_.end());
    if (other.stale.size() > kMostStaleRects) other.stale = {Bounds(other.stale)};
  }
  beams_moved_ = false;
  DrawOverlays(buffer, overlays, panel);

  // What changes on screen: what was drawn, and the overlays shown before and now.
  std::vector<PixelRect>& shown = changed_;
  AddVisibleBeams(last_beams_, shown);
  AddVisibleBeams(overlays.lines, shown);
  if (panel || panel_shown_) shown.push_back(PanelBox());
  for (PixelRect& r : shown) r = Clipped(r, width_, height_);
  std::erase_if(shown, [](const PixelRect& r) { return r.width == 0; });
  ShowBuffer(drawing_, shown);
  panel_shown_ = panel;
  last_beams_ = overlays.lines;
}

void BufferedPresenter::CopyAreas(const Buffer& from, Buffer& to,
                                  const std::vector<PixelRect>& areas) const {
  for (const PixelRect& area : areas) {
    const PixelRect r = Clipped(area, width_, height_);
    for (int y = r.y; y < r.y + r.height; ++y) {
      const size_t at = size_t(y) * size_t(width_) + size_t(r.x);
      std::memcpy(to.pixels + at, from.pixels + at, size_t(r.width) * sizeof(uint32_t));
    }
  }
}

void BufferedPresenter::Paste(const Saved& saved, Buffer& to) const {
  const PixelRect& r = saved.area;
  for (int y = 0; y < r.height; ++y) {
    std::memcpy(to.pixels + size_t(r.y + y) * size_t(width_) + size_t(r.x),
                saved.pixels.data() + size_t(y) * size_t(r.width),
                size_t(r.width) * sizeof(uint32_t));
  }
}

void BufferedPresenter::Restore(Buffer& buffer) const {
  for (const Saved& saved : buffer.under) Paste(saved, buffer);
  buffer.under.clear();
}

void BufferedPresenter::DrawOverlays(Buffer& buffer, const ScreenOverlays& overlays, bool panel) {
  // Every area is kept before anything is drawn: the areas may overlap.
  std::vector<PixelRect> areas;
  AddVisibleBeams(overlays.lines, areas);
  if (panel) areas.push_back(PanelBox());
  for (const PixelRect& area : areas) {
    const PixelRect r = Clipped(area, width_, height_);
    if (r.width == 0) continue;
    Saved& saved = buffer.under.emplace_back();
    saved.area = r;
    saved.pixels.resize(size_t(r.width) * size_t(r.height));
    for (int y = 0; y < r.height; ++y) {
      std::memcpy(saved.pixels.data() + size_t(y) * size_t(r.width),
                  buffer.pixels + size_t(r.y + y) * size_t(width_) + size_t(r.x),
                  size_t(r.width) * sizeof(uint32_t));
    }
  }
  if (panel) {
    const PixelRect box = PanelBox();
    for (int y = 0; y < box.height; ++y) {
      std::memcpy(buffer.pixels + size_t(y) * size_t(width_), panel_image_->Row(y),
                  size_t(box.width) * sizeof(uint32_t));
    }
  }
  for (const LineGeometry& beam : overlays.lines) PaintBeam(buffer.pixels, width_, height_, beam);
}

PixelRect BufferedPresenter::PanelBox() const {
  if (!panel_image_) return {0, 0, 0, 0};
  return {0, 0, std::min(width_, panel_image_->Width()), std::min(height_, panel_image_->Height())};
}
