#include "platform/wayland/LayerSurfaceWindow.h"

#include <wayland-client.h>

#include "platform/wayland/protocols/layer-shell-client.h"

namespace {

constexpr uint32_t kAllEdges =
    ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
    ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT;

}  // namespace

struct LayerSurfaceListener {
  static LayerSurfaceWindow& Of(void* data) { return *static_cast<LayerSurfaceWindow*>(data); }
  static constexpr zwlr_layer_surface_v1_listener kListener = {
      [](void* data, zwlr_layer_surface_v1*, uint32_t serial, uint32_t width, uint32_t height) {
        Of(data).Configure(serial, width, height);
      },
      [](void* data, zwlr_layer_surface_v1*) {
        LayerSurfaceWindow& window = Of(data);
        window.Leave();
        if (window.onTakenAway) window.onTakenAway();
      },
  };
};

LayerSurfaceWindow::LayerSurfaceWindow(WaylandClient& client, const EventLoop& loop,
                                       DisplayEvents& events, Clock& clock,
                                       std::function<void()> unload, const Surface* panel,
                                       FrameLog* log)
    : client_(client),
      loop_(loop),
      events_(events),
      unload_(std::move(unload)),
      timer_(loop.makeTimer([this] { pump_.RunPass(); })),
      pump_(events, clock, *timer_, log),
      panel_(panel) {
  if (panel_) pump_.ShowPanel(kInitPanelText);
}

LayerSurfaceWindow::~LayerSurfaceWindow() {
  *alive_ = false;
  Close();
}

void LayerSurfaceWindow::ShowOn(wl_output* output) {
  if (closed_) return;
  Leave();
  output_ = output;
  surface_ = wl_compositor_create_surface(client_.Compositor());
  layer_ = zwlr_layer_shell_v1_get_layer_surface(client_.LayerShell(), surface_, output,
                                                 ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, "skorvane");
  zwlr_layer_surface_v1_add_listener(layer_, &LayerSurfaceListener::kListener, this);
  zwlr_layer_surface_v1_set_anchor(layer_, kAllEdges);
  zwlr_layer_surface_v1_set_size(layer_, 0, 0);          // the whole output
  zwlr_layer_surface_v1_set_exclusive_zone(layer_, -1);  // over the panels' reserved areas too
  zwlr_layer_surface_v1_set_keyboard_interactivity(
      layer_, ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_EXCLUSIVE);
  presenter_ = std::make_unique<ShmPresenter>(client_, surface_);
  presenter_->SetPanelImage(panel_);
  pump_.SetPresenter(presenter_.get());
  client_.Listen(surface_, this);
  ApplyCursor();
  wl_surface_commit(surface_);  // no buffer yet: asks for the first configure
  client_.Flush();
}

// The surface leaves the screen; the pump keeps its scene, for another output.
void LayerSurfaceWindow::Leave() {
  if (!surface_) return;
  presenter_->Detach(pump_.Screen());
  pump_.SetPresenter(nullptr);
  presenter_.reset();
  client_.Listen(surface_, nullptr);
  if (layer_) zwlr_layer_surface_v1_destroy(layer_);
  wl_surface_destroy(surface_);
  layer_ = nullptr;
  surface_ = nullptr;
  output_ = nullptr;
  logical_width_ = logical_height_ = 0;
  client_.Flush();
}

void LayerSurfaceWindow::Close() {
  if (closed_) return;
  closed_ = true;
  pump_.Stop();
  Leave();
}

void LayerSurfaceWindow::Configure(uint32_t serial, uint32_t width, uint32_t height) {
  zwlr_layer_surface_v1_ack_configure(layer_, serial);
  // The compositor says the size again now and then: only a new size makes new pixels.
  if (int(width) != logical_width_ || int(height) != logical_height_ ||
      client_.ScaleOf(output_) != scale_) {
    logical_width_ = int(width), logical_height_ = int(height);
    Fit();
  }
  if (activation_scheduled_) return;
  // The panel is on its way to the screen now; the long activation may start.
  activation_scheduled_ = true;
  std::weak_ptr<bool> alive = alive_;
  loop_.soon([this, alive] {
    if (!alive.expired()) Activate();
  });
}

void LayerSurfaceWindow::Refit() {
  if (surface_ && logical_width_ > 0 && client_.ScaleOf(output_) != scale_) Fit();
}

void LayerSurfaceWindow::Fit() {
  scale_ = client_.ScaleOf(output_);
  const int width = logical_width_ * scale_, height = logical_height_ * scale_;
  wl_surface_set_buffer_scale(surface_, scale_);
  pump_.Resize(presenter_->Reset(width, height), width, height, scale_);
  pump_.Present();
}

void LayerSurfaceWindow::Activate() {
  if (closed_) return;
  pump_.Start();
  if (closed_) return;  // input held for the activation closed it
  pump_.Present();
  pump_.RunPass();
}

float LayerSurfaceWindow::ToScene(float logical) const {
  return pump_.Screen().ToScene(logical * float(scale_ > 0 ? scale_ : 1));
}

void LayerSurfaceWindow::PointerMoved(float x, float y, int buttons) {
  const float sx = ToScene(x), sy = ToScene(y);
  pump_.Deliver([this, buttons, sx, sy] { events_.Form_MouseMove(buttons, 0, sx, sy); });
}

void LayerSurfaceWindow::ButtonPressed(int button, float x, float y) {
  const float sx = ToScene(x), sy = ToScene(y);
  pump_.Deliver([this, button, sx, sy] {
    events_.Form_MouseDown(button, 0, sx, sy);
    if (!closed_) pump_.Present();
  });
}

void LayerSurfaceWindow::KeyPressed(int key) {
  pump_.Deliver([this, key] { events_.Form_KeyDown(key, 0); });
}

void LayerSurfaceWindow::SetMousePointer(MousePointer shape) {
  pointer_ = shape;
  ApplyCursor();
}

int LayerSurfaceWindow::ShowCursor(bool show) {
  cursor_count_ += show ? 1 : -1;
  ApplyCursor();
  return cursor_count_;
}

void LayerSurfaceWindow::ApplyCursor() {
  if (surface_) client_.SetCursor(surface_, cursor_count_ < 0, pointer_);
}
