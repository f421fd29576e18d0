// Our own connection to the Wayland compositor, for the display's layer surfaces: the globals
// they need (compositor, shared memory, layer shell), the outputs as they come and go, and
// the seat's pointer and keyboard, each event handed to the surface it is for.
//
// It is a connection of its own, beside any the toolkit holds, so that nothing of ours waits
// on the toolkit's queue; the event loop calls Dispatch() when Fd() is readable.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/core/DisplayWindow.h"

struct wl_compositor;
struct wl_cursor_theme;
struct wl_display;
struct wl_keyboard;
struct wl_output;
struct wl_pointer;
struct wl_registry;
struct wl_seat;
struct wl_shm;
struct wl_surface;
struct zwlr_layer_shell_v1;

// What a surface of ours hears from the seat; positions in the surface's logical pixels.
class SurfaceInput {
 public:
  virtual ~SurfaceInput() = default;
  virtual void PointerMoved(float x, float y, int buttons) = 0;
  virtual void ButtonPressed(int button, float x, float y) = 0;
  virtual void KeyPressed(int key) = 0;
};

struct WaylandOutput {
  wl_output* output = nullptr;
  uint32_t name = 0;   // the registry's
  int scale = 1;       // device pixels a logical pixel
  bool ready = false;  // its first description is complete
};

class WaylandClient {
 public:
  // Null when no compositor answers, or when it offers no layer shell (GNOME, weston).
  static std::unique_ptr<WaylandClient> Connect();
  ~WaylandClient();
  WaylandClient(const WaylandClient&) = delete;
  WaylandClient& operator=(const WaylandClient&) = delete;

  int Fd() const;
  wl_display* Display() const { return display_; }
  // The connection is readable: reads and handles what came. False once it is broken
  // (the compositor has gone).
  bool Dispatch();
  void Flush();

  wl_compositor* Compositor() const { return compositor_; }
  wl_shm* Shm() const { return shm_; }
  zwlr_layer_shell_v1* LayerShell() const { return layer_shell_; }
  // The outputs ready to show on, in the order they came.
  std::vector<const WaylandOutput*> Outputs() const;
  int ScaleOf(wl_output* output) const;
  // Told, from Dispatch, once an output has come or gone.
  std::function<void()> onOutputsChanged;

  // Routes the seat's events for `surface` to `input` (null: to nobody).
  void Listen(wl_surface* surface, SurfaceInput* input);
  // The pointer's look over `surface`: hidden, or `shape`.
  void SetCursor(wl_surface* surface, bool hidden, MousePointer shape);

 private:
  struct Cursor {
    bool hidden = false;
    MousePointer shape = MousePointer::Default;
  };
  friend struct WaylandListeners;

  WaylandClient() = default;
  void Global(uint32_t name, const char* interface, uint32_t version);
  void GlobalRemoved(uint32_t name);
  void OutputDone(wl_output* output);
  void SeatCapabilities(uint32_t capabilities);
  void PointerEntered(uint32_t serial, wl_surface* surface, float x, float y);
  void ApplyCursor();
  SurfaceInput* InputOf(wl_surface* surface) const;

  wl_display* display_ = nullptr;
  wl_registry* registry_ = nullptr;
  wl_compositor* compositor_ = nullptr;
  wl_shm* shm_ = nullptr;
  zwlr_layer_shell_v1* layer_shell_ = nullptr;
  wl_seat* seat_ = nullptr;
  wl_pointer* pointer_ = nullptr;
  wl_keyboard* keyboard_ = nullptr;
  std::vector<std::unique_ptr<WaylandOutput>> outputs_;
  std::map<wl_surface*, SurfaceInput*> inputs_;
  std::map<wl_surface*, Cursor> cursors_;

  // The pointer: where it is, over which surface, since which serial, with which buttons.
  wl_surface* pointer_surface_ = nullptr;
  uint32_t pointer_serial_ = 0;
  float pointer_x_ = 0, pointer_y_ = 0;
  int buttons_ = 0;
  wl_surface* keyboard_surface_ = nullptr;

  wl_cursor_theme* cursor_theme_ = nullptr;
  wl_surface* cursor_surface_ = nullptr;
};
