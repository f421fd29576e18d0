#include "platform/desktop/Embed.h"

#include <xcb/xcb.h>
#include <QAbstractEventDispatcher>
#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include "platform/desktop/XcbConnection.h"
#include "platform/desktop/XcbReply.h"

namespace {

// Size of an X window, or false when the id names no window.
bool HostSize(xcb_connection_t* c, uint32_t id, int* width, int* height) {
  xcb_generic_error_t* failure = nullptr;
  const XcbReply<xcb_get_geometry_reply_t> reply(
      xcb_get_geometry_reply(c, xcb_get_geometry(c, id), &failure));
  const XcbReply<xcb_generic_error_t> error(failure);
  if (!reply) return false;
  *width = reply->width;
  *height = reply->height;
  return true;
}

// Follows the host: its size changes, and its end (or the end of our window inside it).
// DestroyNotify arrives within moments; the once-a-second look at the host covers a host
// whose events we could not select.
class XcbHostWatch : public HostWatch, public QAbstractNativeEventFilter {
 public:
  XcbHostWatch(QWidget* window, uint32_t host, std::function<void()> onGone)
      : window_(window), host_(host), own_(uint32_t(window->winId())), on_gone_(std::move(onGone)) {
    QAbstractEventDispatcher::instance()->installNativeEventFilter(this);
    poll_.setInterval(1000);
    QObject::connect(&poll_, &QTimer::timeout, [this] {
      int w, h;
      if (!HostSize(ToolkitXcbConnection(), host_, &w, &h)) Gone();
    });
    poll_.start();
  }
  ~XcbHostWatch() override {
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
      dispatcher->removeNativeEventFilter(this);
  }

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
    if (type != "xcb_generic_event_t") return false;
    auto* event = static_cast<xcb_generic_event_t*>(message);
    switch (event->response_type & 0x7f) {
      case XCB_DESTROY_NOTIFY: {
        auto* e = reinterpret_cast<xcb_destroy_notify_event_t*>(event);
        if (e->window == host_ || e->window == own_) Gone();
        break;
      }
      case XCB_CONFIGURE_NOTIFY: {
        auto* e = reinterpret_cast<xcb_configure_notify_event_t*>(event);
        if (e->window == host_) window_->setGeometry(0, 0, e->width, e->height);
        break;
      }
      default:
        break;
    }
    return false;
  }

 private:
  void Gone() {
    if (gone_) return;
    gone_ = true;
    poll_.stop();
    on_gone_();
  }

  QWidget* window_;
  uint32_t host_;
  uint32_t own_;
  std::function<void()> on_gone_;
  QTimer poll_;
  bool gone_ = false;
};

}  // namespace

std::unique_ptr<HostWatch> SetParent(QWidget* window, int32_t hostId,
                                     std::function<void()> onHostGone) {
  xcb_connection_t* c = ToolkitXcbConnection();
  int width = 0, height = 0;
  if (hostId == 0 || !c || !HostSize(c, uint32_t(hostId), &width, &height)) return nullptr;

  window->setWindowFlag(Qt::FramelessWindowHint);
  window->winId();  // the native window must exist before it can be placed
  window->windowHandle()->setParent(QWindow::fromWinId(WId(uint32_t(hostId))));
  window->setGeometry(0, 0, width, height);

  const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
  xcb_change_window_attributes(c, uint32_t(hostId), XCB_CW_EVENT_MASK, &mask);
  xcb_flush(c);
  return std::make_unique<XcbHostWatch>(window, uint32_t(hostId), std::move(onHostGone));
}
