// The display form on Windows: a window on every monitor, the primary one's driven by the
// display form's scene and every other one's by a scene of its own, all closed together when
// any of them closes. Shown modeless (/s) or modal (the setup dialog's Preview).
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "display/frmStarfield3.h"
#include "platform/win32/DisplayWindow32.h"

class DisplayForm {
 public:
  using SceneFactory = std::function<std::unique_ptr<frmStarfield3>()>;
  // `onUnload` runs once every window has closed; `log` may be null.
  DisplayForm(MessageLoop& loop, frmStarfield3& form, Clock& clock, SceneFactory sceneForScreen,
              FrameLog* log);
  ~DisplayForm();

  std::function<void()> onUnload;

  // Opens the windows. Modal: returns once they have closed.
  void Show(bool modal);
  bool Shown() const { return shown_; }

 private:
  void Unload();

  MessageLoop& loop_;
  frmStarfield3& form_;
  Clock& clock_;
  SceneFactory scene_for_screen_;
  FrameLog* log_;
  std::vector<std::unique_ptr<frmStarfield3>> scenes_;     // the other monitors', kept
  std::vector<std::unique_ptr<DisplayWindow32>> windows_;  // the last showing's
  size_t others_shown_ = 0;
  bool shown_ = false;
};
