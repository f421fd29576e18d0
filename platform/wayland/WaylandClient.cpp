#include "platform/wayland/WaylandClient.h"

#include <poll.h>
#include <unistd.h>
#include <wayland-client.h>
#include <wayland-cursor.h>

#include <algorithm>
#include <cstring>

#include "platform/wayland/protocols/layer-shell-client.h"

namespace {

// The versions we speak: damage in buffer pixels needs compositor 4; an output's scale and
// its "done" need output 2; the seat's pointer and keyboard as of version 5 are all we read.
constexpr uint32_t kCompositorVersion = 4;
constexpr uint32_t kOutputVersion = 2;
constexpr uint32_t kSeatVersion = 5;
constexpr uint32_t kLayerShellVersion = 4;

constexpr int kCursorSize = 24;  // logical pixels, the desktops' usual

// Linux input's button codes, as the toolkit's button flags.
int ButtonFlag(uint32_t button) {
  switch (button) {
    case 0x110:  // left
      return 1;
    case 0x111:  // right
      return 2;
    case 0x112:  // middle
      return 4;
  }
  return 0;
}

const char* CursorName(MousePointer shape) {
  switch (shape) {
    case MousePointer::Crosshair:
      return "crosshair";
    case MousePointer::Busy:
      return "watch";
    case MousePointer::Default:
      break;
  }
  return "left_ptr";
}

}  // namespace

// The C listeners, each passing its event on to the client.
struct WaylandListeners {
  static WaylandClient& Of(void* data) { return *static_cast<WaylandClient*>(data); }

  static constexpr wl_registry_listener kRegistry = {
      [](void* data, wl_registry*, uint32_t name, const char* interface, uint32_t version) {
        Of(data).Global(name, interface, version);
      },
      [](void* data, wl_registry*, uint32_t name) { Of(data).GlobalRemoved(name); },
  };

  static constexpr wl_output_listener kOutput = {
      [](void*, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t, const char*, const char*,
         int32_t) {},
      [](void*, wl_output*, uint32_t, int32_t, int32_t, int32_t) {},
      [](void* data, wl_output* output) { Of(data).OutputDone(output); },
      [](void* data, wl_output* output, int32_t factor) {
        for (auto& o : Of(data).outputs_) {
          if (o->output == output) o->scale = std::max(1, int(factor));
        }
      },
      [](void*, wl_output*, const char*) {},
      [](void*, wl_output*, const char*) {},
  };

  static constexpr wl_seat_listener kSeat = {
      [](void* data, wl_seat*, uint32_t capabilities) { Of(data).SeatCapabilities(capabilities); },
      [](void*, wl_seat*, const char*) {},
  };

  static constexpr wl_pointer_listener kPointer = {
      [](void* data, wl_pointer*, uint32_t serial, wl_surface* surface, wl_fixed_t x,
         wl_fixed_t y) {
        Of(data).PointerEntered(serial, surface, float(wl_fixed_to_double(x)),
                                float(wl_fixed_to_double(y)));
      },
      [](void* data, wl_pointer*, uint32_t, wl_surface*) { Of(data).pointer_surface_ = nullptr; },
      [](void* data, wl_pointer*, uint32_t, wl_fixed_t x, wl_fixed_t y) {
        WaylandClient& client = Of(data);
        client.pointer_x_ = float(wl_fixed_to_double(x));
        client.pointer_y_ = float(wl_fixed_to_double(y));
        if (SurfaceInput* input = client.InputOf(client.pointer_surface_))
          input->PointerMoved(client.pointer_x_, client.pointer_y_, client.buttons_);
      },
      [](void* data, wl_pointer*, uint32_t, uint32_t, uint32_t button, uint32_t state) {
        WaylandClient& client = Of(data);
        const int flag = ButtonFlag(button);
        if (state != WL_POINTER_BUTTON_STATE_PRESSED) {
          client.buttons_ &= ~flag;
          return;
        }
        client.buttons_ |= flag;
        if (SurfaceInput* input = client.InputOf(client.pointer_surface_))
          input->ButtonPressed(flag, client.pointer_x_, client.pointer_y_);
      },
      [](void*, wl_pointer*, uint32_t, uint32_t, wl_fixed_t) {},
      [](void*, wl_pointer*) {},
      [](void*, wl_pointer*, uint32_t) {},
      [](void*, wl_pointer*, uint32_t, uint32_t) {},
      [](void*, wl_pointer*, uint32_t, int32_t) {},
      [](void*, wl_pointer*, uint32_t, int32_t) {},
  };

  static constexpr wl_keyboard_listener kKeyboard = {
      [](void*, wl_keyboard*, uint32_t, int32_t fd, uint32_t) { ::close(fd); },  // not needed
      [](void* data, wl_keyboard*, uint32_t, wl_surface* surface, wl_array*) {
        Of(data).keyboard_surface_ = surface;  // keys already down as it came do not count
      },
      [](void* data, wl_keyboard*, uint32_t, wl_surface*) { Of(data).keyboard_surface_ = nullptr; },
      [](void* data, wl_keyboard*, uint32_t, uint32_t, uint32_t key, uint32_t state) {
        WaylandClient& client = Of(data);
        if (state != WL_KEYBOARD_KEY_STATE_PRESSED) return;
        if (SurfaceInput* input = client.InputOf(client.keyboard_surface_))
          input->KeyPressed(int(key));
      },
      [](void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {},
      [](void*, wl_keyboard*, int32_t, int32_t) {},
  };
};

std::unique_ptr<WaylandClient> WaylandClient::Connect() {
  wl_display* display = wl_display_connect(nullptr);
  if (!display) return nullptr;
  std::unique_ptr<WaylandClient> client(new WaylandClient);
  client->display_ = display;
  client->registry_ = wl_display_get_registry(display);
  wl_registry_add_listener(client->registry_, &WaylandListeners::kRegistry, client.get());
  // The globals, then what binding them sent (the outputs' descriptions, the seat's devices).
  if (wl_display_roundtrip(display) < 0 || wl_display_roundtrip(display) < 0) return nullptr;
  if (!client->compositor_ || !client->shm_ || !client->layer_shell_) return nullptr;
  return client;
}

WaylandClient::~WaylandClient() {
  if (cursor_surface_) wl_surface_destroy(cursor_surface_);
  if (cursor_theme_) wl_cursor_theme_destroy(cursor_theme_);
  if (pointer_) wl_pointer_destroy(pointer_);
  if (keyboard_) wl_keyboard_destroy(keyboard_);
  if (seat_) wl_seat_destroy(seat_);
  for (auto& output : outputs_) wl_output_destroy(output->output);
  if (layer_shell_) zwlr_layer_shell_v1_destroy(layer_shell_);
  if (shm_) wl_shm_destroy(shm_);
  if (compositor_) wl_compositor_destroy(compositor_);
  if (registry_) wl_registry_destroy(registry_);
  wl_display_disconnect(display_);
}

int WaylandClient::Fd() const {
  return wl_display_get_fd(display_);
}

bool WaylandClient::Dispatch() {
  // The fd is readable; what an earlier read queued is handled first.
  while (wl_display_prepare_read(display_) != 0) {
    if (wl_display_dispatch_pending(display_) < 0) return false;
  }
  pollfd ready{Fd(), POLLIN, 0};
  if (::poll(&ready, 1, 0) > 0) {
    if (wl_display_read_events(display_) < 0) return false;
  } else {
    wl_display_cancel_read(display_);
  }
  if (wl_display_dispatch_pending(display_) < 0) return false;
  Flush();
  return true;
}

void WaylandClient::Flush() {
  wl_display_flush(display_);
}

void WaylandClient::Global(uint32_t name, const char* interface, uint32_t version) {
  auto bind = [&](const wl_interface* type, uint32_t most) {
    return wl_registry_bind(registry_, name, type, std::min(version, most));
  };
  if (std::strcmp(interface, wl_compositor_interface.name) == 0) {
    if (version >= kCompositorVersion)
      compositor_ = static_cast<wl_compositor*>(bind(&wl_compositor_interface, kCompositorVersion));
  } else if (std::strcmp(interface, wl_shm_interface.name) == 0) {
    shm_ = static_cast<wl_shm*>(bind(&wl_shm_interface, 1));
  } else if (std::strcmp(interface, zwlr_layer_shell_v1_interface.name) == 0) {
    layer_shell_ =
        static_cast<zwlr_layer_shell_v1*>(bind(&zwlr_layer_shell_v1_interface, kLayerShellVersion));
  } else if (std::strcmp(interface, wl_seat_interface.name) == 0 && !seat_) {
    seat_ = static_cast<wl_seat*>(bind(&wl_seat_interface, kSeatVersion));
    wl_seat_add_listener(seat_, &WaylandListeners::kSeat, this);
  } else if (std::strcmp(interface, wl_output_interface.name) == 0 && version >= kOutputVersion) {
    auto& output = outputs_.emplace_back(std::make_unique<WaylandOutput>());
    output->name = name;
    output->output = static_cast<wl_output*>(bind(&wl_output_interface, kOutputVersion));
    wl_output_add_listener(output->output, &WaylandListeners::kOutput, this);
  }
}

void WaylandClient::GlobalRemoved(uint32_t name) {
  auto gone = std::find_if(outputs_.begin(), outputs_.end(),
                           [name](const auto& o) { return o->name == name; });
  if (gone == outputs_.end()) return;
  const bool wasReady = (*gone)->ready;
  wl_output* output = (*gone)->output;
  outputs_.erase(gone);
  if (wasReady && onOutputsChanged) onOutputsChanged();  // its surfaces leave it first
  wl_output_destroy(output);
}

void WaylandClient::OutputDone(wl_output* output) {
  for (auto& o : outputs_) {
    if (o->output != output) continue;
    o->ready = true;
    // Every description ends with "done": a change of scale is a change too.
    if (onOutputsChanged) onOutputsChanged();
  }
}

std::vector<const WaylandOutput*> WaylandClient::Outputs() const {
  std::vector<const WaylandOutput*> ready;
  for (const auto& o : outputs_) {
    if (o->ready) ready.push_back(o.get());
  }
  return ready;
}

int WaylandClient::ScaleOf(wl_output* output) const {
  for (const auto& o : outputs_) {
    if (o->output == output) return o->scale;
  }
  return 1;
}

void WaylandClient::SeatCapabilities(uint32_t capabilities) {
  const bool pointer = capabilities & WL_SEAT_CAPABILITY_POINTER;
  const bool keyboard = capabilities & WL_SEAT_CAPABILITY_KEYBOARD;
  if (pointer && !pointer_) {
    pointer_ = wl_seat_get_pointer(seat_);
    wl_pointer_add_listener(pointer_, &WaylandListeners::kPointer, this);
  } else if (!pointer && pointer_) {
    wl_pointer_destroy(pointer_);
    pointer_ = nullptr;
    pointer_surface_ = nullptr;
  }
  if (keyboard && !keyboard_) {
    keyboard_ = wl_seat_get_keyboard(seat_);
    wl_keyboard_add_listener(keyboard_, &WaylandListeners::kKeyboard, this);
  } else if (!keyboard && keyboard_) {
    wl_keyboard_destroy(keyboard_);
    keyboard_ = nullptr;
    keyboard_surface_ = nullptr;
  }
}

void WaylandClient::Listen(wl_surface* surface, SurfaceInput* input) {
  if (input) {
    inputs_[surface] = input;
    return;
  }
  inputs_.erase(surface);
  cursors_.erase(surface);
  if (pointer_surface_ == surface) pointer_surface_ = nullptr;
  if (keyboard_surface_ == surface) keyboard_surface_ = nullptr;
}

SurfaceInput* WaylandClient::InputOf(wl_surface* surface) const {
  const auto found = inputs_.find(surface);
  return found == inputs_.end() ? nullptr : found->second;
}

void WaylandClient::PointerEntered(uint32_t serial, wl_surface* surface, float x, float y) {
  pointer_surface_ = surface;
  pointer_serial_ = serial;
  pointer_x_ = x, pointer_y_ = y;
  ApplyCursor();
  // As on X11, the window first hears where the pointer is as a move.
  if (SurfaceInput* input = InputOf(surface)) input->PointerMoved(x, y, buttons_);
}

void WaylandClient::SetCursor(wl_surface* surface, bool hidden, MousePointer shape) {
  cursors_[surface] = {hidden, shape};
  if (surface == pointer_surface_) ApplyCursor();
}

void WaylandClient::ApplyCursor() {
  if (!pointer_ || !pointer_surface_) return;
  const auto wanted = cursors_.find(pointer_surface_);
  const Cursor cursor = wanted == cursors_.end() ? Cursor{} : wanted->second;
  if (cursor.hidden) {
    wl_pointer_set_cursor(pointer_, pointer_serial_, nullptr, 0, 0);
    return;
  }
  // One theme, at the largest output's scale: sharp there, scaled down elsewhere.
  int scale = 1;
  for (const auto& o : outputs_) scale = std::max(scale, o->scale);
  if (!cursor_theme_) cursor_theme_ = wl_cursor_theme_load(nullptr, kCursorSize * scale, shm_);
  if (!cursor_theme_) return;
  wl_cursor* image = wl_cursor_theme_get_cursor(cursor_theme_, CursorName(cursor.shape));
  if (!image) image = wl_cursor_theme_get_cursor(cursor_theme_, "left_ptr");
  if (!image || image->image_count == 0) return;  // the compositor's own arrow stays
  wl_cursor_image* first = image->images[0];
  if (!cursor_surface_) {
    cursor_surface_ = wl_compositor_create_surface(compositor_);
    wl_surface_set_buffer_scale(cursor_surface_, scale);
  }
  wl_surface_attach(cursor_surface_, wl_cursor_image_get_buffer(first), 0, 0);
  wl_surface_damage_buffer(cursor_surface_, 0, 0, int32_t(first->width), int32_t(first->height));
  wl_surface_commit(cursor_surface_);
  wl_pointer_set_cursor(pointer_, pointer_serial_, cursor_surface_,
                        int32_t(first->hotspot_x) / scale, int32_t(first->hotspot_y) / scale);
}
