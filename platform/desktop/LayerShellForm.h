// The display form's windows on a Wayland compositor with the layer shell (the wlroots
// compositors, KDE Plasma): one layer surface per output, each driving a scene of its own,
// all unloaded together when any of them closes. Outputs that come or go while the display
// runs get their surface opened or closed. The toolkit holds only a stand-in window that
// never shows: the form's life cycle, and the modality of a preview over the setup dialog.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "display/frmStarfield3.h"
#include "platform/core/Surface.h"
#include "platform/desktop/Form.h"
#include "platform/wayland/LayerSurfaceWindow.h"

class QSocketNotifier;

class LayerShellForm : public Form {
 public:
  // As StarfieldForm's: `form` on the first output, a scene from `sceneForScreen` on each
  // other one, `log` timing the first. `client` outlives the form.
  using SceneFactory = std::function<std::unique_ptr<frmStarfield3>()>;
  LayerShellForm(Application& app, WaylandClient& client, frmStarfield3& form, Clock& clock,
                 SceneFactory sceneForScreen, FrameLog* log = nullptr);
  ~LayerShellForm() override;

 protected:
  std::unique_ptr<QWidget> CreateWindow() override;
  void Form_Load() override;
  void Form_Unload() override;

 private:
  struct OtherOutput {
    std::unique_ptr<frmStarfield3> scene;
    std::shared_ptr<LayerSurfaceWindow> window;  // while shown
  };
  std::shared_ptr<LayerSurfaceWindow> NewWindow(DisplayEvents& scene, FrameLog* log);
  void FitSoon();
  void FitToOutputs();
  void Close(std::shared_ptr<LayerSurfaceWindow>& window);

  WaylandClient& client_;
  frmStarfield3& form_;
  Clock& clock_;
  SceneFactory scene_for_screen_;
  FrameLog* log_;
  EventLoop loop_;
  Surface panel_;
  std::unique_ptr<QSocketNotifier> notifier_;
  std::shared_ptr<LayerSurfaceWindow> window_;  // the first output's, while loaded
  std::vector<OtherOutput> others_;
  bool fit_pending_ = false;
};
