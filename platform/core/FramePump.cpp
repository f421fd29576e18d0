#include "platform/core/FramePump.h"

#include <algorithm>

namespace {

// A pass is never further off than this: a form that says "nothing due" is asked again.
constexpr int64_t kLongestWaitMs = 1000;

}  // namespace

FramePump::FramePump(DisplayEvents& events, Clock& clock, PassTimer& timer, FrameLog* log)
    : events_(events), clock_(clock), timer_(timer), log_(log) {
  for (LinePrimitive& line : lines_) {
    line.onChange = [this](const LineGeometry& before, const LineGeometry& after) {
      if (presenter_) presenter_->BeamMoved(screen_.ToDevice(before), screen_.ToDevice(after));
    };
  }
}

void FramePump::Resize(uint32_t* device, int width, int height, double ratio, int screenWidth,
                       int screenHeight) {
  const int shrink = screenWidth > 0 ? PreviewShrink(width, height, screenWidth, screenHeight) : 1;
  screen_.Attach(device, width, height, ScreenScale(width, height, ratio), shrink);
  events_.Form_Resize();
}

ScreenOverlays FramePump::Overlays() const {
  ScreenOverlays overlays;
  overlays.lines = {screen_.ToDevice(lines_[0].Geometry()), screen_.ToDevice(lines_[1].Geometry())};
  overlays.panelText = panel_text_;
  return overlays;
}

void FramePump::Start() {
  if (stopped_) return;
  ReadyToDraw();
  events_.Form_Activate();
  started_ = true;
  std::vector<std::function<void()>> held;
  held.swap(held_input_);
  for (const auto& input : held) {
    if (stopped_) return;
    ReadyToDraw();
    input();
  }
}

void FramePump::Deliver(std::function<void()> input) {
  if (stopped_) return;
  if (started_) {
    ReadyToDraw();
    return input();
  }
  held_input_.push_back(std::move(input));
}

void FramePump::Stop() {
  stopped_ = true;
  timer_.Stop();
}

void FramePump::RunPass() {
  if (stopped_) return;
  ReadyToDraw();
  if (events_.Form_Paint() && log_) log_->Frame();
  if (stopped_) return;  // the pass closed the window
  Present();
  const int64_t wait = events_.NextPassDue() - clock_.NowMs();
  timer_.Start(int(std::clamp<int64_t>(wait, 0, kLongestWaitMs)));
}

void FramePump::ReadyToDraw() {
  if (presenter_) presenter_->WaitIdle(screen_);
}

void FramePump::Present() {
  if (presenter_) presenter_->Present(screen_, Overlays());
}
