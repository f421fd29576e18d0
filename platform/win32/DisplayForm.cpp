#include "platform/win32/DisplayForm.h"

namespace {

struct Monitors {
  RECT primary{};
  std::vector<RECT> others;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoA(monitor, &info)) return TRUE;
  auto& found = *reinterpret_cast<Monitors*>(data);
  if (info.dwFlags & MONITORINFOF_PRIMARY) {
    found.primary = info.rcMonitor;
  } else {
    found.others.push_back(info.rcMonitor);
  }
  return TRUE;
}

Monitors EveryMonitor() {
  Monitors found;
  EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&found));
  if (found.primary.right == found.primary.left) {
    found.primary = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  return found;
}

}  // namespace

DisplayForm::DisplayForm(MessageLoop& loop, frmStarfield3& form, Clock& clock,
                         SceneFactory sceneForScreen, FrameLog* log)
    : loop_(loop),
      form_(form),
      clock_(clock),
      scene_for_screen_(std::move(sceneForScreen)),
      log_(log) {}

DisplayForm::~DisplayForm() {
  Unload();
}

void DisplayForm::Show(bool modal) {
  if (shown_) return;
  windows_.clear();  // the last showing's, closed then; none of their handlers runs now
  shown_ = true;
  others_shown_ = 0;
  const Monitors monitors = EveryMonitor();
  auto open = [this](frmStarfield3& scene, const RECT& where, FrameLog* log) {
    auto& window = windows_.emplace_back(std::make_unique<DisplayWindow32>(
        loop_, scene, clock_, [this] { Unload(); }, log));
    scene.Attach(window.get());
    window->ShowOn(where);
  };
  for (size_t i = 0; scene_for_screen_ && i < monitors.others.size(); ++i) {
    if (i >= scenes_.size()) scenes_.push_back(scene_for_screen_());
    open(*scenes_[i], monitors.others[i], nullptr);
    others_shown_ = i + 1;
  }
  open(form_, monitors.primary, log_);  // last: it has the keyboard
  if (modal) loop_.RunUntil([this] { return !shown_; });
}

void DisplayForm::Unload() {
  if (!shown_) return;
  shown_ = false;
  // The windows are closed, not deleted: this may run inside one of their handlers.
  for (auto& window : windows_) window->Close();
  form_.Form_Unload();
  form_.Attach(nullptr);
  for (size_t i = 0; i < others_shown_; ++i) {
    scenes_[i]->Form_Unload();
    scenes_[i]->Attach(nullptr);
  }
  if (onUnload) onUnload();
}
