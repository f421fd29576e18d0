#include "platform/desktop/StarfieldForm.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <algorithm>

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
  ScreenHold::BypassWindowManager(*window);
  window_ = window.get();
  return window;
}

void StarfieldForm::Form_Load() {
  form_.Attach(window_);
  FitOtherScreens();
  FollowScreens();
  // Once the windows are shown: the form shows the primary one when this returns.
  QTimer::singleShot(0, window_, [this] { hold_.Hold(Shown()); });
}

void StarfieldForm::Open(OtherScreen& other, QScreen* screen) {
  if (!other.scene) other.scene = scene_for_screen_();
  other.screen = screen;
  other.window = new SurfaceWindow(
      *other.scene, clock_, [this] { Unload(); }, screen);
  ScreenHold::BypassWindowManager(*other.window);
  other.window->setWindowTitle(window_->windowTitle());
  other.scene->Attach(other.window);
  other.window->show();
}

void StarfieldForm::Close(OtherScreen& other) {
  other.scene->Form_Unload();
  other.scene->Attach(nullptr);
  other.window->hide();
  other.window->deleteLater();  // we may be inside one of its own event handlers
  other.window = nullptr;
  other.screen = nullptr;
}

std::vector<QWidget*> StarfieldForm::Shown() const {
  std::vector<QWidget*> windows;
  if (window_) windows.push_back(window_);
  for (const OtherScreen& other : others_) {
    if (other.window) windows.push_back(other.window);
  }
  return windows;
}

void StarfieldForm::FollowScreens() {
  screen_watch_ = std::make_unique<QObject>();
  QObject* watch = screen_watch_.get();
  // Several signals come for one change; the windows are fitted once they have all come.
  auto fitSoon = [this, watch] { QTimer::singleShot(0, watch, [this] { FitToScreens(); }); };
  auto watchScreen = [watch, fitSoon](QScreen* screen) {
    QObject::connect(screen, &QScreen::geometryChanged, watch, fitSoon);
  };
  for (QScreen* screen : QGuiApplication::screens()) watchScreen(screen);
  QObject::connect(qGuiApp, &QGuiApplication::screenAdded, watch,
                   [watchScreen, fitSoon](QScreen* s) {
                     watchScreen(s);
                     fitSoon();
                   });
  QObject::connect(qGuiApp, &QGuiApplication::screenRemoved, watch, fitSoon);
  QObject::connect(qGuiApp, &QGuiApplication::primaryScreenChanged, watch, fitSoon);
}

void StarfieldForm::FitToScreens() {
  if (!window_) return;
  QScreen* primary = QGuiApplication::primaryScreen();
  if (primary && window_->geometry() != primary->geometry()) {
    window_->setScreen(primary);
    window_->setGeometry(primary->geometry());  // the scene is resized with the window
  }
  FitOtherScreens();
  hold_.Hold(Shown());
}

// Every other screen with a window of its own at its size, and no window for a screen gone.
void StarfieldForm::FitOtherScreens() {
  const std::vector<QScreen*> screens = OtherScreens();
  for (OtherScreen& other : others_) {
    if (other.window && std::find(screens.begin(), screens.end(), other.screen) == screens.end())
      Close(other);
  }
  for (QScreen* screen : screens) {
    auto shown = std::find_if(others_.begin(), others_.end(),
                              [screen](const OtherScreen& o) { return o.screen == screen; });
    if (shown != others_.end()) {
      if (shown->window->geometry() != screen->geometry())
        shown->window->setGeometry(screen->geometry());
      continue;
    }
    Open(FreeSlot(), screen);
  }
}

// A scene with no window now, made if there is none.
StarfieldForm::OtherScreen& StarfieldForm::FreeSlot() {
  auto free = std::find_if(others_.begin(), others_.end(),
                           [](const OtherScreen& o) { return o.window == nullptr; });
  return free != others_.end() ? *free : others_.emplace_back();
}

void StarfieldForm::Form_Unload() {
  screen_watch_.reset();
  hold_.Release();
  form_.Form_Unload();
  form_.Attach(nullptr);
  window_ = nullptr;
  for (OtherScreen& other : others_) {
    if (other.window) Close(other);
  }
}
