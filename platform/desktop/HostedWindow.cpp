#include "platform/desktop/HostedWindow.h"

#include <xcb/xcb.h>
#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QGuiApplication>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include "platform/desktop/XcbConnection.h"

#include "platform/desktop/App.h"

std::unique_ptr<HostedWindow> HostedWindow::Create(DisplayEvents& events, Clock& clock,
                                                   uint32_t host, std::string* error) {
  xcb_connection_t* c = ToolkitXcbConnection();
  if (!c) {
    *error = "there is no X display to draw on";
    return nullptr;
  }
  if (host == 0) host = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
  xcb_generic_error_t* failure = nullptr;
  auto* geometry = xcb_get_geometry_reply(c, xcb_get_geometry(c, host), &failure);
  std::free(failure);
  if (!geometry) {
    char text[64];
    std::snprintf(text, sizeof text, "0x%x is not a window", host);
    *error = text;
    return nullptr;
  }
  const int width = geometry->width, height = geometry->height;
  std::free(geometry);

  std::unique_ptr<HostedWindow> window(new HostedWindow(events, clock, c, host));
  window->presenter_ =
      XcbPresenter::Create(c, host, width, height, XcbPresenter::Fallback::PlainPut);
  if (!window->presenter_) {
    *error = "the window cannot be drawn into";
    return nullptr;
  }
  window->AttachScreen(width, height);
  // Our own interest in the host: its size and its end, and what must be drawn again.
  const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_EXPOSURE;
  xcb_change_window_attributes(c, host, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(c);
  QAbstractEventDispatcher::instance()->installNativeEventFilter(window.get());
  return window;
}

HostedWindow::HostedWindow(DisplayEvents& events, Clock& clock, xcb_connection_t* connection,
                           uint32_t host)
    : events_(events), clock_(clock), c_(connection), host_(host) {
  pass_timer_.setSingleShot(true);
  pass_timer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&pass_timer_, &QTimer::timeout, [this] { RunPass(); });
  for (LinePrimitive& line : lines_) {
    line.onChange = [this](const LineGeometry& before, const LineGeometry&) {
      beams_.Moved(screen_.ToDevice(before));
    };
  }
}

HostedWindow::~HostedWindow() {
  if (auto* dispatcher = QAbstractEventDispatcher::instance())
    dispatcher->removeNativeEventFilter(this);
}

void HostedWindow::Start() {
  QTimer::singleShot(0, [this] {
    screen_.Scene().Cls(kBlack);
    events_.Form_Activate();
    started_ = true;
    PresentAll();
    RunPass();
  });
}

void HostedWindow::Unload() {
  pass_timer_.stop();
  QCoreApplication::quit();
}

void HostedWindow::RunPass() {
  presenter_->WaitIdle();  // the server has read what the pass will redraw
  if (events_.Form_Paint() && frame_log_.On()) frame_log_.Frame();
  Present();
  const int64_t wait = events_.NextPassDue() - clock_.NowMs();
  pass_timer_.start(int(std::clamp<int64_t>(wait, 0, 1000)));
}

ScreenOverlays HostedWindow::Overlays() const {
  ScreenOverlays overlays;
  overlays.lines = {screen_.ToDevice(lines_[0].Geometry()), screen_.ToDevice(lines_[1].Geometry())};
  return overlays;
}

void HostedWindow::Present() {
  beams_.Present(*presenter_, screen_, Overlays());
}

void HostedWindow::PresentAll() {
  presenter_->WaitIdle();
  screen_.TakeChanges();
  presenter_->Present({{0, 0, screen_.DeviceWidth(), screen_.DeviceHeight()}}, Overlays());
}

void HostedWindow::AttachScreen(int width, int height) {
  screen_.Attach(presenter_->Pixels(), width, height, ScreenScale(width, height, 1.0));
}

void HostedWindow::Resize(int width, int height) {
  if (width == screen_.DeviceWidth() && height == screen_.DeviceHeight()) return;
  presenter_->WaitIdle();
  if (!presenter_->Resize(width, height)) {
    std::fprintf(stderr, "skorvane: the window 0x%x can no longer be drawn into.\n", host_);
    App::EndNow(1);
  }
  AttachScreen(width, height);
  events_.Form_Resize();
  PresentAll();
}

bool HostedWindow::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
  if (type != "xcb_generic_event_t") return false;
  auto* event = static_cast<xcb_generic_event_t*>(message);
  switch (event->response_type & 0x7f) {
    case XCB_DESTROY_NOTIFY:
      if (reinterpret_cast<xcb_destroy_notify_event_t*>(event)->window == host_) {
        std::fprintf(stderr, "skorvane: the window 0x%x has gone.\n", host_);
        App::EndNow(1);
      }
      return false;
    case XCB_CONFIGURE_NOTIFY: {
      auto* e = reinterpret_cast<xcb_configure_notify_event_t*>(event);
      if (e->window != host_) return false;
      Resize(e->width, e->height);
      return true;
    }
    case XCB_EXPOSE: {
      auto* e = reinterpret_cast<xcb_expose_event_t*>(event);
      if (e->window != host_ || !started_) return false;
      presenter_->Present({{e->x, e->y, e->width, e->height}}, Overlays());
      return true;
    }
    default:
      return false;
  }
}
