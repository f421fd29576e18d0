#include "platform/XcbPresenter.h"

#include <sys/ipc.h>
#include <sys/shm.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>

#include <cstdlib>

namespace {

bool HasSharedMemory(xcb_connection_t* c) {
  auto* reply = xcb_shm_query_version_reply(c, xcb_shm_query_version(c), nullptr);
  const bool ok = reply != nullptr;
  std::free(reply);
  return ok;
}

uint8_t WindowDepth(xcb_connection_t* c, uint32_t window) {
  auto* reply = xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr);
  const uint8_t depth = reply ? reply->depth : 0;
  std::free(reply);
  return depth;
}

}  // namespace

std::unique_ptr<XcbPresenter> XcbPresenter::Create(xcb_connection_t* c, uint32_t window, int width,
                                                   int height) {
  if (!c || !HasSharedMemory(c) || WindowDepth(c, window) != 24) return nullptr;
  std::unique_ptr<XcbPresenter> presenter(new XcbPresenter(c, window));
  if (!presenter->Attach(width, height)) return nullptr;
  return presenter;
}

XcbPresenter::XcbPresenter(xcb_connection_t* c, uint32_t window) : c_(c), window_(window) {
  gc_ = xcb_generate_id(c_);
  xcb_create_gc(c_, gc_, window_, 0, nullptr);
}

XcbPresenter::~XcbPresenter() {
  Detach();
  xcb_free_gc(c_, gc_);
  xcb_flush(c_);
}

bool XcbPresenter::Attach(int width, int height) {
  const size_t bytes = size_t(std::max(width, 1)) * size_t(std::max(height, 1)) * 4;
  shmid_ = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
  if (shmid_ < 0) return false;
  void* address = shmat(shmid_, nullptr, 0);
  if (address == reinterpret_cast<void*>(-1)) {
    shmctl(shmid_, IPC_RMID, nullptr);
    shmid_ = -1;
    return false;
  }
  pixels_ = static_cast<uint32_t*>(address);
  segment_ = xcb_generate_id(c_);
  xcb_generic_error_t* error =
      xcb_request_check(c_, xcb_shm_attach_checked(c_, segment_, uint32_t(shmid_), 0));
  shmctl(shmid_, IPC_RMID, nullptr);  // freed by the system once both sides let go
  if (error) {
    std::free(error);
    shmdt(pixels_);
    pixels_ = nullptr;
    segment_ = 0;
    return false;
  }
  width_ = width;
  height_ = height;
  return true;
}

void XcbPresenter::Detach() {
  if (!pixels_) return;
  xcb_shm_detach(c_, segment_);
  // The server may still read the segment for puts not yet done: wait for it.
  std::free(xcb_get_input_focus_reply(c_, xcb_get_input_focus(c_), nullptr));
  shmdt(pixels_);
  pixels_ = nullptr;
}

bool XcbPresenter::Resize(int width, int height) {
  if (width == width_ && height == height_) return true;
  Detach();
  return Attach(width, height);
}

void XcbPresenter::Present(const Surface& surface, const std::vector<PixelRect>& rects,
                           const ScreenOverlays& overlays) {
  if (!pixels_ || rects.empty()) return;
  // The previous frame's puts must be done before their pixels are overwritten.
  std::free(xcb_get_input_focus_reply(c_, xcb_get_input_focus(c_), nullptr));
  for (const PixelRect& r : rects) {
    const PixelRect clipped{std::max(r.x, 0), std::max(r.y, 0),
                            std::min(r.x + r.width, width_) - std::max(r.x, 0),
                            std::min(r.y + r.height, height_) - std::max(r.y, 0)};
    if (clipped.width <= 0 || clipped.height <= 0) continue;
    ComposeForScreen(surface, clipped, overlays, pixels_, width_);
    xcb_shm_put_image(c_, window_, gc_, uint16_t(width_), uint16_t(height_), uint16_t(clipped.x),
                      uint16_t(clipped.y), uint16_t(clipped.width), uint16_t(clipped.height),
                      int16_t(clipped.x), int16_t(clipped.y), 24, XCB_IMAGE_FORMAT_Z_PIXMAP, 0,
                      segment_, 0);
  }
  xcb_flush(c_);
}
