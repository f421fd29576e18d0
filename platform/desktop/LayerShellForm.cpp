#include "platform/desktop/LayerShellForm.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstring>

#include "platform/desktop/QtPassTimer.h"
#include "startup/modMain.h"

namespace {

// The start-up panel as the toolkit would show it: the text in white on a black box.
Surface PanelImage() {
  constexpr int kPadding = 8;
  const QFontMetrics metrics(QApplication::font());
  const QSize size = metrics.size(0, kInitPanelText) + QSize(2 * kPadding, 2 * kPadding);
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::black);
  QPainter painter(&image);
  painter.setPen(Qt::white);
  painter.drawText(image.rect(), Qt::AlignCenter, kInitPanelText);
  painter.end();
  Surface panel(image.width(), image.height(), kBlack);
  for (int y = 0; y < image.height(); ++y) {
    std::memcpy(panel.Row(y), image.constScanLine(y), size_t(image.width()) * 4);
  }
  return panel;
}

}  // namespace

LayerShellForm::LayerShellForm(Application& app, WaylandClient& client, frmStarfield3& form,
                               Clock& clock, SceneFactory sceneForScreen, FrameLog* log)
    : Form(app, modMain::kDisplayCaption),
      client_(client),
      form_(form),
      clock_(clock),
      scene_for_screen_(std::move(sceneForScreen)),
      log_(log) {
  loop_.makeTimer = [](std::function<void()> pass) -> std::unique_ptr<PassTimer> {
    return std::make_unique<QtPassTimer>(std::move(pass));
  };
  loop_.soon = [](std::function<void()> then) { QTimer::singleShot(0, qApp, std::move(then)); };
  notifier_ = std::make_unique<QSocketNotifier>(client_.Fd(), QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
    if (client_.Dispatch()) return;
    notifier_->setEnabled(false);  // the compositor has gone, and the display with it
    Unload();
  });
  client_.onOutputsChanged = [this] { FitSoon(); };
}

LayerShellForm::~LayerShellForm() {
  client_.onOutputsChanged = nullptr;
}

std::unique_ptr<QWidget> LayerShellForm::CreateWindow() {
  auto standIn = std::make_unique<QWidget>();
  standIn->setAttribute(Qt::WA_DontShowOnScreen);
  return standIn;
}

std::shared_ptr<LayerSurfaceWindow> LayerShellForm::NewWindow(DisplayEvents& scene, FrameLog* log) {
  if (panel_.Width() == 0) panel_ = PanelImage();
  auto window = std::make_shared<LayerSurfaceWindow>(
      client_, loop_, scene, clock_, [this] { Unload(); }, &panel_, log);
  window->onTakenAway = [this] { FitSoon(); };
  return window;
}

void LayerShellForm::Form_Load() {
  window_ = NewWindow(form_, log_);
  form_.Attach(window_.get());
  FitToOutputs();
}

void LayerShellForm::FitSoon() {
  if (fit_pending_) return;
  fit_pending_ = true;  // several events come for one change: the windows are fitted once
  QTimer::singleShot(0, qApp, [this] {
    fit_pending_ = false;
    FitToOutputs();
  });
}

void LayerShellForm::FitToOutputs() {
  if (!window_) return;
  const std::vector<const WaylandOutput*> outputs = client_.Outputs();
  auto present = [&outputs](wl_output* output) {
    return std::any_of(outputs.begin(), outputs.end(),
                       [output](const WaylandOutput* o) { return o->output == output; });
  };
  // The first scene stays where it shows while that output lasts; else it takes the first.
  if (!present(window_->Output()) && !outputs.empty()) window_->ShowOn(outputs.front()->output);
  window_->Refit();
  for (OtherOutput& other : others_) {
    if (!other.window) continue;
    const wl_output* output = other.window->Output();
    if (!present(other.window->Output()) || output == window_->Output()) Close(other.window);
  }
  if (!scene_for_screen_) return;
  for (const WaylandOutput* output : outputs) {
    if (output->output == window_->Output()) continue;
    auto shown = std::find_if(others_.begin(), others_.end(), [output](const OtherOutput& o) {
      return o.window && o.window->Output() == output->output;
    });
    if (shown != others_.end()) {
      shown->window->Refit();
      continue;
    }
    auto free = std::find_if(others_.begin(), others_.end(),
                             [](const OtherOutput& o) { return !o.window; });
    OtherOutput& other = free != others_.end() ? *free : others_.emplace_back();
    if (!other.scene) other.scene = scene_for_screen_();
    other.window = NewWindow(*other.scene, nullptr);
    other.scene->Attach(other.window.get());
    other.window->ShowOn(output->output);
  }
}

void LayerShellForm::Close(std::shared_ptr<LayerSurfaceWindow>& window) {
  for (OtherOutput& other : others_) {
    if (other.window != window) continue;
    other.scene->Form_Unload();
    other.scene->Attach(nullptr);
  }
  window->Close();
  // We may be inside one of its own handlers: it goes once they have returned.
  QTimer::singleShot(0, qApp, [going = std::move(window)] {});
}

void LayerShellForm::Form_Unload() {
  form_.Form_Unload();
  form_.Attach(nullptr);
  for (OtherOutput& other : others_) {
    if (other.window) Close(other.window);
  }
  window_->Close();
  QTimer::singleShot(0, qApp, [going = std::move(window_)] {});
}
