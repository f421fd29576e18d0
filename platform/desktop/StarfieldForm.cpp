#include "platform/desktop/StarfieldForm.h"

#include <QGuiApplication>
#include <QScreen>

#include "platform/desktop/SurfaceWindow.h"
#include "startup/modMain.h"

StarfieldForm::StarfieldForm(Application& app, frmStarfield3& form, Clock& clock,
                             SceneFactory sceneForScreen, FrameLog* log)
    : Form(app, modMain::kDisplayCaption),
      form_(form),
      clock_(clock),
      scene_for_screen_(std::move(sceneForScreen)),
      log_(log) {}

StarfieldForm::~StarfieldForm() = default;

std::vector<QScreen*> StarfieldForm::OtherScreens() const {
  std::vector<QScreen*> screens;
  if (!scene_for_screen_) return screens;
  for (QScreen* screen : QGuiApplication::screens()) {
    if (screen != QGuiApplication::primaryScreen()) screens.push_back(screen);
  }
  return screens;
}

std::unique_ptr<QWidget> StarfieldForm::CreateWindow() {
  auto window = std::make_unique<SurfaceWindow>(
      form_, clock_, [this] { Unload(); }, QGuiApplication::primaryScreen(), log_);
  window_ = window.get();
  return window;
}

void StarfieldForm::Form_Load() {
  form_.Attach(window_);
  const std::vector<QScreen*> screens = OtherScreens();
  if (others_.size() < screens.size()) others_.resize(screens.size());
  for (size_t i = 0; i < screens.size(); ++i) {
    OtherScreen& other = others_[i];
    if (!other.scene) other.scene = scene_for_screen_();
    other.window = new SurfaceWindow(
        *other.scene, clock_, [this] { Unload(); }, screens[i]);
    other.window->setWindowTitle(window_->windowTitle());
    other.scene->Attach(other.window);
    other.window->show();
  }
}

void StarfieldForm::Form_Unload() {
  form_.Form_Unload();
  form_.Attach(nullptr);
  window_ = nullptr;
  for (OtherScreen& other : others_) {
    if (!other.window) continue;
    other.scene->Form_Unload();
    other.scene->Attach(nullptr);
    other.window->hide();
    other.window->deleteLater();  // we may be inside one of its own event handlers
    other.window = nullptr;
  }
}
