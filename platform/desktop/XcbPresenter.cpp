#include "platform/desktop/XcbPresenter.h"

#include <sys/ipc.h>
#include <sys/shm.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>
#include <xcb/xcbext.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/desktop/XcbReply.h"

namespace {

bool HasSharedMemory(xcb_connection_t* c) {
  const XcbReply<xcb_shm_query_version_reply_t> reply(
      xcb_shm_query_version_reply(c, xcb_shm_query_version(c), nullptr));
  return reply != nullptr;
}

uint8_t WindowDepth(xcb_connection_t* c, uint32_t window) {
  const XcbReply<xcb_get_geometry_reply_t> reply(
      xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr));
  return reply ? reply->depth : 0;
}

// A connection of our own to the server of `window`, opened once the server has seen every
// request of the toolkit's so far (the window's creation among them); nullptr if the
// display cannot be reached that way or does not know the window.
xcb_connection_t* ConnectBeside(xcb_connection_t* toolkit, uint32_t window) {
  XcbReply<xcb_get_input_focus_reply_t>(
      xcb_get_input_focus_reply(toolkit, xcb_get_input_focus(toolkit), nullptr));
  xcb_connection_t* own = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(own) || WindowDepth(own, window) == 0) {
    xcb_disconnect(own);
    return nullptr;
  }
  return own;
}

}  // namespace

std::unique_ptr<XcbPresenter> XcbPresenter::Create(xcb_connection_t* toolkit, uint32_t window,
                                                   int width, int height, Fallback fallback) {
  if (!toolkit) return nullptr;
  const uint8_t depth = WindowDepth(toolkit, window);
  if (depth == 0) return nullptr;
  // Each frame's reply on the toolkit's connection would wake its event thread for nothing.
  Connection c{ConnectBeside(toolkit, window), true};
  if (!c.handle) c = {toolkit, false};
  std::unique_ptr<XcbPresenter> presenter(new XcbPresenter(c, window, depth));
  const bool shareable = (depth == 24 || depth == 32) && !std::getenv("SKORVANE_NO_SHM");
  if (shareable && HasSharedMemory(c.handle) && presenter->Attach(width, height)) return presenter;
  if (fallback != Fallback::PlainPut) return nullptr;
  presenter->AttachPlain(width, height);
  return presenter;
}

XcbPresenter::XcbPresenter(Connection c, uint32_t window, uint8_t depth)
    : c_(c.handle), own_connection_(c.owned), window_(window), depth_(depth) {
  gc_ = xcb_generate_id(c_);
  xcb_create_gc(c_, gc_, window_, 0, nullptr);
  put_gc_ = xcb_generate_id(c_);
  xcb_create_gc(c_, put_gc_, window_, 0, nullptr);
}

XcbPresenter::~XcbPresenter() {
  Detach();
  if (font_) xcb_close_font(c_, font_);
  xcb_free_gc(c_, gc_);
  xcb_free_gc(c_, put_gc_);
  xcb_flush(c_);
  if (own_connection_) xcb_disconnect(c_);
}

bool XcbPresenter::Attach(int width, int height) {
  const size_t bytes = size_t(std::max(width, 1)) * size_t(std::max(height, 1)) * 4;
  const int shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
  if (shmid < 0) return false;
  void* address = shmat(shmid, nullptr, 0);
  if (address == reinterpret_cast<void*>(-1)) {
    shmctl(shmid, IPC_RMID, nullptr);
    return false;
  }
  pixels_ = static_cast<uint32_t*>(address);
  segment_ = xcb_generate_id(c_);
  const XcbReply<xcb_generic_error_t> error(
      xcb_request_check(c_, xcb_shm_attach_checked(c_, segment_, uint32_t(shmid), 0)));
  shmctl(shmid, IPC_RMID, nullptr);  // freed by the system once both sides let go
  if (error) {
    shmdt(pixels_);
    pixels_ = nullptr;
    segment_ = 0;
    return false;
  }
  width_ = width;
  height_ = height;
  area_.Reset(width, height);
  return true;
}

bool XcbPresenter::AttachPlain(int width, int height) {
  plain_ = true;
  own_pixels_.assign(size_t(std::max(width, 1)) * size_t(std::max(height, 1)), 0xFF000000u);
  pixels_ = own_pixels_.data();
  width_ = width;
  height_ = height;
  area_.Reset(width, height);
  return true;
}

void XcbPresenter::Detach() {
  if (plain_) {
    own_pixels_.clear();
    pixels_ = nullptr;
    return;
  }
  if (!pixels_) return;
  xcb_shm_detach(c_, segment_);
  WaitIdle();
  shmdt(pixels_);
  pixels_ = nullptr;
}

bool XcbPresenter::Resize(int width, int height) {
  if (width == width_ && height == height_) return true;
  Detach();
  return plain_ ? AttachPlain(width, height) : Attach(width, height);
}

void XcbPresenter::WaitIdle() {
  if (!pending_) return;
  // The answer has nearly always come by the next frame: reading what the socket holds
  // finds it without first waiting on the socket, one call to the system instead of two.
  void* reply = nullptr;
  xcb_generic_error_t* error = nullptr;
  if (xcb_poll_for_reply(c_, sync_, &reply, &error)) {
    std::free(reply);
    std::free(error);
  } else {
    XcbReply<xcb_get_input_focus_reply_t>(
        xcb_get_input_focus_reply(c_, xcb_get_input_focus_cookie_t{sync_}, nullptr));
  }
  pending_ = false;
}

void XcbPresenter::DropErrors() {
  // Nobody else reads our connection: the errors of requests that went wrong (a put into a
  // window that has just gone) would pile up in its queue. Only what has been read is looked
  // at, so this costs no call to the system.
  if (!own_connection_) return;
  while (XcbReply<xcb_generic_event_t>(xcb_poll_for_queued_event(c_))) {
  }
}

void XcbPresenter::Present(const std::vector<PixelRect>& rects, const ScreenOverlays& overlays) {
  if (!pixels_) return;
  WaitIdle();  // the reply to the last frame's request comes before this frame's
  DropErrors();
  // The rectangles may overlap (beams cross tiles); as tiles of our own they no longer do.
  for (const PixelRect& r : rects) area_.Mark(r.x, r.y, r.width, r.height);
  tiles_.clear();
  area_.Take(tiles_);
  if (plain_) {
    JoinColumns(tiles_);  // fewer, taller puts
    for (const PixelRect& r : tiles_) PutPlain(r.x, r.y, r.x + r.width, r.y + r.height);
  } else {
    PutShared(tiles_);
  }
  if (overlays.panelText) DrawPanel(overlays.panelText);
  for (const LineGeometry& line : overlays.lines) {
    if (line.Visible) DrawLine(line);
  }
  if (!tiles_.empty()) {
    // A put from the segment leaves the server something of ours to read later, and plain
    // puts to a slow server must not pile up: the next frame waits for the answer. Beams
    // alone need none.
    sync_ = xcb_get_input_focus(c_).sequence;
    pending_ = true;
  }
  xcb_flush(c_);
}

void XcbPresenter::PutShared(const std::vector<PixelRect>& tiles) {
  // Each request costs the server far more than the pixels of a tile, so a frame is one put
  // of the changed area's bounds, clipped to the changed tiles.
  if (tiles.empty()) return;
  clip_.clear();
  int x0 = width_, y0 = height_, x1 = 0, y1 = 0;
  for (const PixelRect& r : tiles) {
    clip_.push_back({int16_t(r.x), int16_t(r.y), uint16_t(r.width), uint16_t(r.height)});
    x0 = std::min(x0, r.x), y0 = std::min(y0, r.y);
    x1 = std::max(x1, r.x + r.width), y1 = std::max(y1, r.y + r.height);
  }
  // The puts have a context of their own, so the overlays' stays unclipped.
  xcb_set_clip_rectangles(c_, XCB_CLIP_ORDERING_YX_BANDED, put_gc_, 0, 0, uint32_t(clip_.size()),
                          clip_.data());
  xcb_shm_put_image(c_, window_, put_gc_, uint16_t(width_), uint16_t(height_), uint16_t(x0),
                    uint16_t(y0), uint16_t(x1 - x0), uint16_t(y1 - y0), int16_t(x0), int16_t(y0),
                    depth_, XCB_IMAGE_FORMAT_Z_PIXMAP, 0, segment_, 0);
}

uint32_t XcbPresenter::PixelValue(Colour colour) const {
  const uint32_t rgb = ToStored(colour) & 0xFFFFFF;
  const uint32_t r = rgb >> 16, g = rgb >> 8 & 0xFF, b = rgb & 0xFF;
  if (depth_ == 16) return (r >> 3) << 11 | (g >> 2) << 5 | b >> 3;
  if (depth_ == 15) return (r >> 3) << 10 | (g >> 3) << 5 | b >> 3;
  return depth_ == 32 ? rgb | 0xFF000000u : rgb;
}

void XcbPresenter::PutPlain(int x0, int y0, int x1, int y1) {
  // 15- and 16-bit windows take two bytes a pixel, the others four; rows padded to 4 bytes.
  const size_t bytesPerPixel = depth_ <= 16 ? 2 : 4;
  const size_t rowBytes = (size_t(x1 - x0) * bytesPerPixel + 3) / 4 * 4;
  const size_t maxRequest = size_t(xcb_get_maximum_request_length(c_)) * 4 - 64;
  const int band = int(std::max<size_t>(1, maxRequest / rowBytes));
  for (int top = y0; top < y1; top += band) {
    const int rows = std::min(band, y1 - top);
    band_.assign(rowBytes * size_t(rows), 0);
    for (int y = 0; y < rows; ++y) {
      const uint32_t* source = pixels_ + size_t(top + y) * size_t(width_) + size_t(x0);
      uint8_t* row = band_.data() + rowBytes * size_t(y);
      for (int x = 0; x < x1 - x0; ++x) {
        const uint32_t rgb = source[x] & 0xFFFFFF;
        const uint32_t value = bytesPerPixel == 2 ? PixelValue(FromStored(rgb)) : source[x];
        std::memcpy(row + size_t(x) * bytesPerPixel, &value, bytesPerPixel);  // little-endian
      }
    }
    xcb_put_image(c_, XCB_IMAGE_FORMAT_Z_PIXMAP, window_, gc_, uint16_t(x1 - x0), uint16_t(rows),
                  int16_t(x0), int16_t(top), 0, depth_, uint32_t(band_.size()), band_.data());
  }
}

PixelRect XcbPresenter::PanelBox(const char* text) {
  constexpr int kPadding = 8;
  if (!font_tried_) {
    font_tried_ = true;
    const uint32_t font = xcb_generate_id(c_);
    const char name[] = "fixed";
    const XcbReply<xcb_generic_error_t> error(
        xcb_request_check(c_, xcb_open_font_checked(c_, font, sizeof name - 1, name)));
    if (!error) font_ = font;
  }
  if (!font_) return {0, 0, 0, 0};
  if (text == panel_text_) return panel_box_;
  std::vector<xcb_char2b_t> glyphs;
  for (const char* p = text; *p; ++p) glyphs.push_back({0, uint8_t(*p)});
  const XcbReply<xcb_query_text_extents_reply_t> extents(xcb_query_text_extents_reply(
      c_, xcb_query_text_extents(c_, font_, uint32_t(glyphs.size()), glyphs.data()), nullptr));
  if (!extents) return {0, 0, 0, 0};
  font_ascent_ = extents->font_ascent;
  panel_text_ = text;
  panel_box_ = {0, 0, int(extents->overall_width) + 2 * kPadding,
                extents->font_ascent + extents->font_descent + 2 * kPadding};
  return panel_box_;
}

void XcbPresenter::DrawPanel(const char* text) {
  // Small and shown only while the display starts: white on a black box, by the server.
  if (!font_) return;
  constexpr int kPadding = 8;
  const size_t length = std::strlen(text);
  const uint32_t black[] = {PixelValue(kBlack)};
  xcb_change_gc(c_, gc_, XCB_GC_FOREGROUND, black);
  const PixelRect box = PanelBox(text);
  const xcb_rectangle_t area{0, 0, uint16_t(box.width), uint16_t(box.height)};
  xcb_poly_fill_rectangle(c_, window_, gc_, 1, &area);
  const uint32_t colours[] = {PixelValue(kWhite), PixelValue(kBlack), font_};
  xcb_change_gc(c_, gc_, XCB_GC_FOREGROUND | XCB_GC_BACKGROUND | XCB_GC_FONT, colours);
  xcb_image_text_8(c_, uint8_t(std::min<size_t>(length, 255)), window_, gc_, kPadding,
                   int16_t(kPadding + font_ascent_), text);
}

void XcbPresenter::DrawLine(const LineGeometry& g) {
  const uint32_t values[] = {PixelValue(g.BorderColor), uint32_t(std::lround(g.Width)),
                             XCB_LINE_STYLE_SOLID, XCB_CAP_STYLE_ROUND};
  xcb_change_gc(c_, gc_,
                XCB_GC_FOREGROUND | XCB_GC_LINE_WIDTH | XCB_GC_LINE_STYLE | XCB_GC_CAP_STYLE,
                values);
  const xcb_point_t ends[] = {{int16_t(std::lround(g.X1)), int16_t(std::lround(g.Y1))},
                              {int16_t(std::lround(g.X2)), int16_t(std::lround(g.Y2))}};
  xcb_poly_line(c_, XCB_COORD_MODE_ORIGIN, window_, gc_, 2, ends);
}
