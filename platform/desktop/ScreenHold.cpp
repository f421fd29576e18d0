#include "platform/desktop/ScreenHold.h"

#include <xcb/xcb.h>
#include <QAbstractEventDispatcher>
#include <QWidget>
#include <algorithm>

#include "platform/desktop/XcbConnection.h"
#include "platform/desktop/XcbReply.h"

namespace {

constexpr int kGrabRetryMs = 100;
constexpr int kGrabTries = 50;     // five seconds, then on without the grab
constexpr int kRaiseAfterMs = 20;  // a burst of maps and restacks, answered once

constexpr uint32_t kPointerEvents =
    XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE | XCB_EVENT_MASK_POINTER_MOTION;

}  // namespace

ScreenHold::ScreenHold() {
  grab_retry_.setInterval(kGrabRetryMs);
  QObject::connect(&grab_retry_, &QTimer::timeout, [this] { TryGrabs(); });
  raise_.setSingleShot(true);
  raise_.setInterval(kRaiseAfterMs);
  QObject::connect(&raise_, &QTimer::timeout, [this] { Raise(); });
}

ScreenHold::~ScreenHold() {
  Release();
  if (root_watched_) {
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
      dispatcher->removeNativeEventFilter(this);
  }
}

void ScreenHold::BypassWindowManager(QWidget& window) {
  if (ToolkitXcbConnection()) window.setWindowFlag(Qt::X11BypassWindowManagerHint);
}

void ScreenHold::Hold(const std::vector<QWidget*>& windows) {
  xcb_connection_t* c = ToolkitXcbConnection();
  if (!c || windows.empty()) return;
  windows_.clear();
  for (QWidget* window : windows) windows_.push_back(uint32_t(window->winId()));
  WatchRoot();
  Raise();
  // The keyboard's focus too, so that the toolkit takes our window for the active one.
  xcb_set_input_focus(c, XCB_INPUT_FOCUS_POINTER_ROOT, windows_.front(), XCB_CURRENT_TIME);
  grab_tries_ = 0;
  TryGrabs();
}

void ScreenHold::Release() {
  grab_retry_.stop();
  raise_.stop();
  xcb_connection_t* c = ToolkitXcbConnection();
  if (c && (keyboard_ || pointer_)) {
    if (keyboard_) xcb_ungrab_keyboard(c, XCB_CURRENT_TIME);
    if (pointer_) xcb_ungrab_pointer(c, XCB_CURRENT_TIME);
    xcb_flush(c);
  }
  keyboard_ = pointer_ = false;
  windows_.clear();
}

void ScreenHold::TryGrabs() {
  xcb_connection_t* c = ToolkitXcbConnection();
  if (!c || windows_.empty()) return;
  const uint32_t window = windows_.front();
  // Events for our other windows still go to them (owner events); the rest come here.
  if (!keyboard_) {
    const XcbReply<xcb_grab_keyboard_reply_t> reply(xcb_grab_keyboard_reply(
        c,
        xcb_grab_keyboard(c, 1, window, XCB_CURRENT_TIME, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC),
        nullptr));
    keyboard_ = reply && reply->status == XCB_GRAB_STATUS_SUCCESS;
  }
  if (!pointer_) {
    const XcbReply<xcb_grab_pointer_reply_t> reply(xcb_grab_pointer_reply(
        c,
        xcb_grab_pointer(c, 1, window, kPointerEvents, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC,
                         XCB_NONE, XCB_NONE, XCB_CURRENT_TIME),
        nullptr));
    pointer_ = reply && reply->status == XCB_GRAB_STATUS_SUCCESS;
  }
  const bool done = (keyboard_ && pointer_) || ++grab_tries_ >= kGrabTries;
  if (done) {
    grab_retry_.stop();
  } else if (!grab_retry_.isActive()) {
    grab_retry_.start();
  }
}

void ScreenHold::WatchRoot() {
  if (root_watched_) return;
  xcb_connection_t* c = ToolkitXcbConnection();
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
  // Added to what the toolkit already selects on the root window, never in its place.
  const XcbReply<xcb_get_window_attributes_reply_t> attributes(
      xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, root), nullptr));
  if (!attributes) return;
  const uint32_t mask = attributes->your_event_mask | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(c);
  QAbstractEventDispatcher::instance()->installNativeEventFilter(this);
  root_watched_ = true;
}

void ScreenHold::RaiseSoon() {
  if (!windows_.empty() && !raise_.isActive()) raise_.start();
}

void ScreenHold::Raise() {
  xcb_connection_t* c = ToolkitXcbConnection();
  if (!c) return;
  const uint32_t above = XCB_STACK_MODE_ABOVE;
  for (uint32_t window : windows_)
    xcb_configure_window(c, window, XCB_CONFIG_WINDOW_STACK_MODE, &above);
  xcb_flush(c);
}

bool ScreenHold::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
  if (type != "xcb_generic_event_t" || windows_.empty()) return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  const auto ours = [this](uint32_t w) {
    return std::find(windows_.begin(), windows_.end(), w) != windows_.end();
  };
  switch (event->response_type & 0x7f) {
    case XCB_MAP_NOTIFY:
      if (!ours(reinterpret_cast<const xcb_map_notify_event_t*>(event)->window)) RaiseSoon();
      break;
    case XCB_CONFIGURE_NOTIFY:
      // Another window restacked (or moved): it may have gone above ours. Our own restacks
      // come back here too, and must not raise again.
      if (!ours(reinterpret_cast<const xcb_configure_notify_event_t*>(event)->window)) RaiseSoon();
      break;
    default:
      break;
  }
  return false;
}
