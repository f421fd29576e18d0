// Shows the display straight from shared memory: the window's surface draws into a segment
// that the X server reads from, so a frame costs one put request, clipped to the changed
// tiles, and no copy of a pixel on our side. The requests go on a connection of the
// presenter's own, so that their replies wake nobody but the frame that waits for them.
// The laser lines and the initialisation panel are drawn over the window by the X server
// after the puts; they never touch the surface.
//
// The server reads the segment after we have sent the puts. A small request with a reply
// follows each frame's puts; since the server answers in order, its reply says the segment
// is free again. By the next frame the reply has long come, so drawing seldom waits for it.
//
// Where shared memory cannot be had (a remote server, a window of another depth) and the
// caller allows it, the pixels are kept on our side and sent with plain put requests,
// converted to the window's depth; the same reply then keeps a slow server from falling
// behind by more than a frame.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/core/DirtyTiles.h"
#include "platform/core/LinePrimitive.h"
#include "platform/core/ScreenPresenter.h"
#include "platform/core/Surface.h"

#include <xcb/xproto.h>

class XcbPresenter {
 public:
  enum class Fallback { None, PlainPut };

  // Shared memory for a 24- or 32-bit window. Otherwise nullptr (the window then paints
  // through the toolkit), or with Fallback::PlainPut a presenter of plain puts; nullptr too
  // when `window` names no window.
  static std::unique_ptr<XcbPresenter> Create(xcb_connection_t* connection, uint32_t window,
                                              int width, int height,
                                              Fallback fallback = Fallback::None);
  bool SharesMemory() const { return segment_ != 0; }
  ~XcbPresenter();
  XcbPresenter(const XcbPresenter&) = delete;
  XcbPresenter& operator=(const XcbPresenter&) = delete;

  // The shared pixels (width x height, 0xFFRRGGBB) for the window's surface to draw into.
  uint32_t* Pixels() { return pixels_; }
  bool Resize(int width, int height);

  // The box a panel of `text` takes, in the X server's own fixed font: no font of ours is
  // loaded for a panel that is up for a few milliseconds. Empty when the server has no such font.
  PixelRect PanelBox(const char* text);

  // Returns once the server has read everything put so far: call before drawing again.
  void WaitIdle();
  void Present(const std::vector<PixelRect>& rects, const ScreenOverlays& overlays);

 private:
  struct Connection {
    xcb_connection_t* handle;
    bool owned;  // ours, closed with the presenter
  };
  XcbPresenter(Connection connection, uint32_t window, uint8_t depth);
  bool Attach(int width, int height);
  bool AttachPlain(int width, int height);
  void PutPlain(int x0, int y0, int x1, int y1);
  void PutShared(const std::vector<PixelRect>& tiles);
  uint32_t PixelValue(Colour colour) const;
  void Detach();
  void DropErrors();
  void DrawPanel(const char* text);
  void DrawLine(const LineGeometry& line);

  xcb_connection_t* c_;
  bool own_connection_;
  uint32_t window_;
  uint32_t gc_ = 0;      // the overlays' and the plain puts'
  uint32_t put_gc_ = 0;  // the shared puts', clipped to the changed tiles
  uint32_t font_ = 0;    // the server's "fixed", once asked for
  bool font_tried_ = false;
  int font_ascent_ = 0;
  const char* panel_text_ = nullptr;  // the text PanelBox measured last, and its box
  PixelRect panel_box_{0, 0, 0, 0};
  uint32_t segment_ = 0;
  uint32_t* pixels_ = nullptr;
  uint8_t depth_ = 24;
  bool plain_ = false;
  std::vector<uint32_t> own_pixels_;  // plain puts: the surface's pixels live here
  std::vector<uint8_t> band_;         // plain puts: rows converted for one request
  int width_ = 0, height_ = 0;
  bool pending_ = false;          // puts sent that the server may not have read yet
  unsigned int sync_ = 0;         // the request whose reply says so
  DirtyTiles area_;               // what a Present puts, as tiles
  std::vector<PixelRect> tiles_;  // ... and as rectangles, kept from frame to frame
  std::vector<xcb_rectangle_t> clip_;
};
