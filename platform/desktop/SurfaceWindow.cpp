#include "platform/desktop/SurfaceWindow.h"

#include "platform/desktop/XcbConnection.h"

#include <QtGui/qguiapplication_platform.h>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHideEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QScreen>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

Qt::CursorShape Shape(MousePointer pointer) {
  switch (pointer) {
    case MousePointer::Crosshair:
      return Qt::CrossCursor;
    case MousePointer::Busy:
      return Qt::WaitCursor;
    case MousePointer::Default:
      break;
  }
  return Qt::ArrowCursor;
}

}  // namespace

SurfaceWindow::SurfaceWindow(DisplayEvents& events, Clock& clock, std::function<void()> unload,
                             QScreen* screen, FrameLog* log)
    : events_(events),
      unload_(std::move(unload)),
      timer_([this] { pump_.RunPass(); }),
      pump_(events, clock, timer_, log),
      toolkit_(*this) {
  setWindowFlag(Qt::FramelessWindowHint);
  setAttribute(Qt::WA_OpaquePaintEvent);  // every pixel comes from the surface
  setAttribute(Qt::WA_NoSystemBackground);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  if (screen) {
    setScreen(screen);
    setGeometry(screen->geometry());
  }
  setWindowState(Qt::WindowFullScreen);
}

void SurfaceWindow::resizeEvent(QResizeEvent*) {
  const double ratio = devicePixelRatioF();
  const int w = int(std::lround(width() * ratio)), h = int(std::lround(height() * ratio));
  if (!server_tried_) {
    StartServerPresenter(w, h);
  } else if (server_ && !server_->Xcb().Resize(w, h)) {
    PaintThroughToolkit();
  }
  pump_.Resize(server_ ? server_->Xcb().Pixels() : nullptr, w, h, ratio);
  update();
}

void SurfaceWindow::StartServerPresenter(int width, int height) {
  server_tried_ = true;
  xcb_connection_t* connection = ToolkitXcbConnection();
  const char* choice = std::getenv("SKORVANE_PRESENT");  // "toolkit": the fallback, for tests
  std::unique_ptr<XcbPresenter> xcb;
  if (connection && !(choice && std::string(choice) == "toolkit")) {
    xcb = XcbPresenter::Create(connection, uint32_t(winId()), width, height);
  }
  if (!xcb) return PaintThroughToolkit();
  server_ = std::make_unique<ServerPresenter>(std::move(xcb));
  pump_.SetPresenter(server_.get());
  setAttribute(Qt::WA_PaintOnScreen);
  panel_box_ =
      server_->Xcb().PanelBox(kInitPanelText);  // the toolkit no longer paints in this window
  if (panel_box_.width > 0) pump_.ShowPanel(kInitPanelText);
}

void SurfaceWindow::PaintThroughToolkit() {
  server_.reset();
  pump_.SetPresenter(&toolkit_);
  pump_.HidePanel();
  setAttribute(Qt::WA_PaintOnScreen, false);
  panel_box_ = {0, 0, 0, 0};
  if (initialising_) ShowToolkitPanel();
}

void SurfaceWindow::ShowToolkitPanel() {
  if (!panel_) {
    panel_ = new QLabel(kInitPanelText, this);
    panel_->setStyleSheet("QLabel { background: black; color: white; padding: 8px; }");
    panel_->adjustSize();
    panel_->move(0, 0);
  }
  panel_->show();
}

QPaintEngine* SurfaceWindow::paintEngine() const {
  return server_ ? nullptr : QWidget::paintEngine();
}

void SurfaceWindow::HideInitPanel() {
  initialising_ = false;
  if (panel_) panel_->hide();
  pump_.HidePanel();
  if (panel_box_.width == 0 || !server_) return;
  server_->Add(panel_box_);  // put again from the surface with the next frame
  panel_box_ = {0, 0, 0, 0};
}

void SurfaceWindow::paintEvent(QPaintEvent* event) {
  if (server_) {
    const double ratio = devicePixelRatioF();
    std::vector<PixelRect> rects;
    for (const QRect& logical : event->region()) {
      const QRect r = DeviceRect(logical, ratio);
      rects.push_back({r.x(), r.y(), r.width(), r.height()});
    }
    server_->PresentAreas(rects, pump_.Overlays());
  } else {
    toolkit_.Paint(event, pump_.Screen(), pump_.Overlays());
  }
  if (!activation_scheduled_) {
    // The panel is on screen now; the long activation may start.
    activation_scheduled_ = true;
    QTimer::singleShot(0, this, [this] { Activate(); });
  }
}

QPointF SurfaceWindow::ScenePoint(const QPointF& logical) const {
  const QPointF device = logical * devicePixelRatioF();
  return {pump_.Screen().ToScene(float(device.x())), pump_.Screen().ToScene(float(device.y()))};
}

void SurfaceWindow::Activate() {
  if (!isVisible()) return;  // closed before its activation came round
  pump_.Start();
  if (!isVisible()) return;  // input held for the activation closed it
  pump_.Present();
  pump_.RunPass();
}

void SurfaceWindow::Deliver(std::function<void()> input) {
  pump_.Deliver(std::move(input));
}

void SurfaceWindow::hideEvent(QHideEvent* event) {
  // Hidden by the form's unload, never to be shown again; the window manager's hiding
  // (an iconify) is not an end.
  if (!event->spontaneous()) pump_.Stop();
}

void SurfaceWindow::closeEvent(QCloseEvent* event) {
  // The window manager's close: the whole display goes, as it does for a key.
  event->ignore();
  unload_();
}

void SurfaceWindow::SetMousePointer(MousePointer shape) {
  pointer_ = shape;
  ApplyCursor();
}

int SurfaceWindow::ShowCursor(bool show) {
  cursor_count_ += show ? 1 : -1;
  ApplyCursor();
  return cursor_count_;
}

void SurfaceWindow::ApplyCursor() {
  setCursor(cursor_count_ < 0 ? Qt::BlankCursor : Shape(pointer_));
}

void SurfaceWindow::keyPressEvent(QKeyEvent* event) {
  const int key = event->key(), shift = int(event->modifiers());
  const int character = event->text().isEmpty() ? -1 : event->text().at(0).unicode();
  Deliver([this, key, shift, character] {
    events_.Form_KeyDown(key, shift);
    if (character >= 0 && isVisible()) events_.Form_KeyPress(character);
  });
}

void SurfaceWindow::mousePressEvent(QMouseEvent* event) {
  const QPointF p = ScenePoint(event->position());
  const int button = int(event->button()), shift = int(event->modifiers());
  Deliver([this, button, shift, p] {
    events_.Form_MouseDown(button, shift, float(p.x()), float(p.y()));
    if (isVisible()) pump_.Present();
  });
}

void SurfaceWindow::mouseMoveEvent(QMouseEvent* event) {
  const QPointF p = ScenePoint(event->position());
  const int buttons = int(event->buttons()), shift = int(event->modifiers());
  Deliver([this, buttons, shift, p] {
    events_.Form_MouseMove(buttons, shift, float(p.x()), float(p.y()));
  });
}
