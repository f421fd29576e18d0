// The display form's windows: one SurfaceWindow per screen of the display, each driving a
// scene of its own, all unloaded together when any of them closes. They hold the screen while
// they show (ScreenHold) and follow the screens: a monitor added, removed or resized while
// the display runs gets its window opened, closed or resized.
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

#include "display/frmStarfield3.h"
#include "platform/desktop/Form.h"
#include "platform/desktop/ScreenHold.h"

class FrameLog;
class QScreen;
class SurfaceWindow;

class StarfieldForm : public Form {
 public:
  // `form` shows on the primary screen. With `sceneForScreen`, every other screen gets a
  // scene of its own from it; the scenes are made once and kept, as `form` is, so what
  // carries over from one showing to the next does so on every screen. `log`, when given,
  // times the frames of the primary screen.
  using SceneFactory = std::function<std::unique_ptr<frmStarfield3>()>;
  StarfieldForm(Application& app, frmStarfield3& form, Clock& clock,
                SceneFactory sceneForScreen = {}, FrameLog* log = nullptr);
  ~StarfieldForm() override;

 protected:
  std::unique_ptr<QWidget> CreateWindow() override;
  void Form_Load() override;
  void Form_Unload() override;

 private:
  struct OtherScreen {
    std::unique_ptr<frmStarfield3> scene;
    SurfaceWindow* window = nullptr;  // while shown; deleted by the event loop once closed
    QScreen* screen = nullptr;
  };
  std::vector<QScreen*> OtherScreens() const;
  void FollowScreens();
  void FitToScreens();
  void FitOtherScreens();
  OtherScreen& FreeSlot();
  void Open(OtherScreen& other, QScreen* screen);
  void Close(OtherScreen& other);
  std::vector<QWidget*> Shown() const;

  frmStarfield3& form_;
  Clock& clock_;
  SceneFactory scene_for_screen_;
  FrameLog* log_;
  SurfaceWindow* window_ = nullptr;
  std::vector<OtherScreen> others_;
  ScreenHold hold_;
  std::unique_ptr<QObject> screen_watch_;  // the screens' signals, while loaded
};
