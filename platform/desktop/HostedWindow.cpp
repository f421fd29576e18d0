#include "platform/desktop/HostedWindow.h"

#include <xcb/xcb.h>
#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>

#include "platform/desktop/App.h"
#include "platform/desktop/XcbConnection.h"
#include "platform/desktop/XcbReply.h"

HostedWindow::Made HostedWindow::Create(DisplayEvents& events, Clock& clock, uint32_t host,
                                        FrameLog* log) {
  xcb_connection_t* c = ToolkitXcbConnection();
  if (!c) return {nullptr, "there is no X display to draw on"};
  if (host == 0) host = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
  xcb_generic_error_t* failure = nullptr;
  const XcbReply<xcb_get_geometry_reply_t> geometry(
      xcb_get_geometry_reply(c, xcb_get_geometry(c, host), &failure));
  const XcbReply<xcb_generic_error_t> error(failure);
  if (!geometry) {
    char text[64];
    std::snprintf(text, sizeof text, "0x%x is not a window", host);
    return {nullptr, text};
  }
  const int width = geometry->width, height = geometry->height;
  auto xcb = XcbPresenter::Create(c, host, width, height, XcbPresenter::Fallback::PlainPut);
  if (!xcb) return {nullptr, "the window cannot be drawn into"};

  std::unique_ptr<HostedWindow> window(new HostedWindow(events, clock, host, log, std::move(xcb)));
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  window->screen_width_ = screen->width_in_pixels;
  window->screen_height_ = screen->height_in_pixels;
  window->Resize(width, height);
  // Our own interest in the host: its size and its end, and what must be drawn again.
  const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_EXPOSURE;
  xcb_change_window_attributes(c, host, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(c);
  QAbstractEventDispatcher::instance()->installNativeEventFilter(window.get());
  return {std::move(window), ""};
}

HostedWindow::HostedWindow(DisplayEvents& events, Clock& clock, uint32_t host, FrameLog* log,
                           std::unique_ptr<XcbPresenter> xcb)
    : host_(host),
      timer_([this] { pump_.RunPass(); }),
      pump_(events, clock, timer_, log),
      server_(std::move(xcb)) {
  pump_.SetPresenter(&server_);
}

HostedWindow::~HostedWindow() {
  if (auto* dispatcher = QAbstractEventDispatcher::instance())
    dispatcher->removeNativeEventFilter(this);
}

void HostedWindow::Start() {
  QTimer::singleShot(0, [this] {
    pump_.Start();
    server_.PresentAll(pump_.Screen(), pump_.Overlays());
    pump_.RunPass();
  });
}

void HostedWindow::Unload() {
  pump_.Stop();
  QCoreApplication::quit();
}

void HostedWindow::Resize(int width, int height) {
  const ScaledSurface& screen = pump_.Screen();
  if (width == screen.DeviceWidth() && height == screen.DeviceHeight()) return;
  server_.Xcb().WaitIdle();
  if (!server_.Xcb().Resize(width, height)) {
    std::fprintf(stderr, "skorvane: the window 0x%x can no longer be drawn into.\n", host_);
    App::EndNow(1);
  }
  // A frontend's preview pane shows the scene of its screen, shrunk.
  pump_.Resize(server_.Xcb().Pixels(), width, height, 1.0, screen_width_, screen_height_);
  if (pump_.Started()) server_.PresentAll(pump_.Screen(), pump_.Overlays());
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
      if (e->window != host_ || !pump_.Started()) return false;
      server_.PresentAreas({{e->x, e->y, e->width, e->height}}, pump_.Overlays());
      return true;
    }
    default:
      return false;
  }
}
