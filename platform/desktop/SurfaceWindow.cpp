#include "platform/desktop/SurfaceWindow.h"

#include "platform/desktop/XcbConnection.h"

#include <QtGui/qguiapplication_platform.h>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

constexpr const char* kInitText = "Initializing Screen Saver... Please Wait...";

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

QColor ToQColor(Colour c) {
  return QColor(int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF));
}

}  // namespace

SurfaceWindow::SurfaceWindow(DisplayEvents& events, Clock& clock, std::function<void()> unload,
                             QScreen* screen)
    : events_(events), clock_(clock), unload_(std::move(unload)) {
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

  pass_timer_.setSingleShot(true);
  pass_timer_.setTimerType(Qt::PreciseTimer);
  connect(&pass_timer_, &QTimer::timeout, this, [this] { RunPass(); });
  for (LinePrimitive& line : lines_) {
    line.onChange = [this](const LineGeometry& before, const LineGeometry& after) {
      BeamMoved(before, after);
    };
  }
}

void SurfaceWindow::resizeEvent(QResizeEvent*) {
  const double ratio = devicePixelRatioF();
  const int w = int(std::lround(width() * ratio)), h = int(std::lround(height() * ratio));
  if (!presenter_tried_) {
    StartPresenter(w, h);
  } else if (presenter_ && !presenter_->Resize(w, h)) {
    presenter_.reset();
    setAttribute(Qt::WA_PaintOnScreen, false);
    panel_box_ = {0, 0, 0, 0};
    if (initialising_) ShowToolkitPanel();
  }
  screen_.Attach(presenter_ ? presenter_->Pixels() : nullptr, w, h, ScreenScale(w, h, ratio));
  events_.Form_Resize();
  update();
}

void SurfaceWindow::StartPresenter(int width, int height) {
  presenter_tried_ = true;
  xcb_connection_t* connection = ToolkitXcbConnection();
  const char* choice = std::getenv("SKORVANE_PRESENT");  // "toolkit": the fallback, for tests
  if (connection && !(choice && std::string(choice) == "toolkit")) {
    presenter_ = XcbPresenter::Create(connection, uint32_t(winId()), width, height);
  }
  if (!presenter_) return ShowToolkitPanel();
  setAttribute(Qt::WA_PaintOnScreen);
  panel_box_ = presenter_->PanelBox(kInitText);  // the toolkit no longer paints in this window
}

void SurfaceWindow::ShowToolkitPanel() {
  if (!panel_) {
    panel_ = new QLabel(kInitText, this);
    panel_->setStyleSheet("QLabel { background: black; color: white; padding: 8px; }");
    panel_->adjustSize();
    panel_->move(0, 0);
  }
  panel_->show();
}

QPaintEngine* SurfaceWindow::paintEngine() const {
  return presenter_ ? nullptr : QWidget::paintEngine();
}

ScreenOverlays SurfaceWindow::Overlays() const {
  ScreenOverlays overlays;
  overlays.lines = {screen_.ToDevice(lines_[0].Geometry()), screen_.ToDevice(lines_[1].Geometry())};
  if (panel_box_.width > 0) overlays.panelText = kInitText;
  return overlays;
}

void SurfaceWindow::HideInitPanel() {
  initialising_ = false;
  if (panel_) panel_->hide();
  if (panel_box_.width == 0) return;
  beams_.Add(panel_box_);  // put again from the surface with the next frame
  panel_box_ = {0, 0, 0, 0};
}

void SurfaceWindow::paintEvent(QPaintEvent* event) {
  if (presenter_) {
    std::vector<PixelRect> rects;
    for (const QRect& logical : event->region()) {
      const QRect r = DeviceRect(logical);
      rects.push_back({r.x(), r.y(), r.width(), r.height()});
    }
    presenter_->Present(rects, Overlays());
  } else {
    PaintThroughToolkit(event);
  }
  if (!activation_scheduled_) {
    // The panel is on screen now; the long activation may start.
    activation_scheduled_ = true;
    QTimer::singleShot(0, this, [this] { Activate(); });
  }
}

void SurfaceWindow::PaintThroughToolkit(QPaintEvent* event) {
  QPainter painter(this);
  const QImage image(reinterpret_cast<const uchar*>(screen_.DevicePixels()), screen_.DeviceWidth(),
                     screen_.DeviceHeight(), screen_.DeviceWidth() * 4, QImage::Format_RGB32);
  const double ratio = devicePixelRatioF();
  for (const QRect& rect : event->region()) {
    const QRect device = DeviceRect(rect);
    painter.drawImage(QRectF(device.topLeft() / ratio, device.size() / ratio), image,
                      device.intersected(image.rect()));
  }
  painter.setClipRegion(event->region());
  for (const LinePrimitive& line : lines_) {
    const LineGeometry g = screen_.ToDevice(line.Geometry());
    if (!g.Visible) continue;
    painter.setPen(QPen(ToQColor(g.BorderColor), g.Width / ratio, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(g.X1, g.Y1) / ratio, QPointF(g.X2, g.Y2) / ratio);
  }
}

QRect SurfaceWindow::DeviceRect(const QRect& rect) const {
  // Every device pixel the logical rectangle touches.
  const double ratio = devicePixelRatioF();
  return QRect(QPoint(int(rect.left() * ratio), int(rect.top() * ratio)),
               QPoint(int(std::ceil((rect.right() + 1) * ratio)) - 1,
                      int(std::ceil((rect.bottom() + 1) * ratio)) - 1));
}

QPointF SurfaceWindow::ScenePoint(const QPointF& logical) const {
  const QPointF device = logical * devicePixelRatioF();
  return {screen_.ToScene(float(device.x())), screen_.ToScene(float(device.y()))};
}

void SurfaceWindow::Activate() {
  if (!isVisible()) return;  // closed before its activation came round
  events_.Form_Activate();
  activated_ = true;
  // Input that came while the window was starting is handled now, in order, against the
  // state activation has just set; once one of it closes the window, the rest goes.
  std::vector<std::function<void()>> held;
  held.swap(held_input_);
  for (const auto& input : held) {
    if (!isVisible()) return;
    input();
  }
  if (!isVisible()) return;
  Present();
  RunPass();
}

void SurfaceWindow::Deliver(std::function<void()> input) {
  if (activated_) return input();
  held_input_.push_back(std::move(input));
}

void SurfaceWindow::RunPass() {
  if (presenter_) presenter_->WaitIdle();  // the server has read what the pass will redraw
  if (events_.Form_Paint() && frame_log_.On()) frame_log_.Frame();
  Present();
  if (!isVisible()) return;
  const int64_t wait = events_.NextPassDue() - clock_.NowMs();
  pass_timer_.start(int(std::clamp<int64_t>(wait, 0, 1000)));
}

void SurfaceWindow::Present() {
  if (presenter_) return beams_.Present(*presenter_, screen_, Overlays());
  if (!screen_.Scene().Changes().Any()) return;
  const std::vector<PixelRect> changed = screen_.TakeChanges();
  const double ratio = devicePixelRatioF();
  QRegion region;
  if (ratio == 1.0) {
    // Already banded and free of overlaps: the whole region in one call.
    QList<QRect> rects;
    for (const PixelRect& r : changed) rects.append(QRect(r.x, r.y, r.width, r.height));
    region.setRects(rects.constData(), int(rects.size()));
  } else {
    for (const PixelRect& r : changed) {
      const QPoint topLeft(int(std::floor(r.x / ratio)), int(std::floor(r.y / ratio)));
      const QPoint end(int(std::ceil((r.x + r.width) / ratio)),
                       int(std::ceil((r.y + r.height) / ratio)));
      region += QRect(topLeft, end - QPoint(1, 1));
    }
  }
  update(region);
}

void SurfaceWindow::BeamMoved(const LineGeometry& before, const LineGeometry& after) {
  if (presenter_) {
    // The server draws the beams after each frame's puts; where one was is put again.
    beams_.Moved(screen_.ToDevice(before));
    return;
  }
  std::vector<PixelRect> boxes;
  if (before.Visible) AddBeamBoxes(screen_.ToDevice(before), boxes);
  if (after.Visible) AddBeamBoxes(screen_.ToDevice(after), boxes);
  const double ratio = devicePixelRatioF();
  for (const PixelRect& b : boxes) {
    update(QRect(QPoint(int(std::floor(b.x / ratio)), int(std::floor(b.y / ratio))),
                 QPoint(int(std::ceil((b.x + b.width) / ratio)) - 1,
                        int(std::ceil((b.y + b.height) / ratio)) - 1)));
  }
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
    if (isVisible()) Present();
  });
}

void SurfaceWindow::mouseMoveEvent(QMouseEvent* event) {
  const QPointF p = ScenePoint(event->position());
  const int buttons = int(event->buttons()), shift = int(event->modifiers());
  Deliver([this, buttons, shift, p] {
    events_.Form_MouseMove(buttons, shift, float(p.x()), float(p.y()));
  });
}
