// One output's display window on a compositor with the layer shell: a surface on the overlay
// layer, above panels and notifications, covering the whole output (reserved areas too) and
// taking the keyboard while it shows. Its pixels go through shared-memory buffers; its
// passes run on the event loop it is given.
#pragma once

#include <functional>
#include <memory>

#include "platform/core/FramePump.h"
#include "platform/wayland/ShmPresenter.h"
#include "platform/wayland/WaylandClient.h"

struct zwlr_layer_surface_v1;

// The event loop the window lives on.
struct EventLoop {
  std::function<std::unique_ptr<PassTimer>(std::function<void()> pass)> makeTimer;
  std::function<void(std::function<void()>)> soon;  // runs it from the loop, after this event
};

class LayerSurfaceWindow : public DisplayWindow, private SurfaceInput {
 public:
  // `panel` is the start-up panel's image (may be null: no panel); `log` may be null.
  LayerSurfaceWindow(WaylandClient& client, const EventLoop& loop, DisplayEvents& events,
                     Clock& clock, std::function<void()> unload, const Surface* panel,
                     FrameLog* log = nullptr);
  ~LayerSurfaceWindow() override;
  LayerSurfaceWindow(const LayerSurfaceWindow&) = delete;
  LayerSurfaceWindow& operator=(const LayerSurfaceWindow&) = delete;

  // Shows the window on `output`, leaving the one it showed on.
  void ShowOn(wl_output* output);
  wl_output* Output() const { return output_; }
  // The output's scale changed: the pixels follow.
  void Refit();
  // Stops the passes and takes the surface off the screen, for good.
  void Close();
  // The compositor took the surface away (its output went); the owner moves or closes it.
  std::function<void()> onTakenAway;

  // DisplayWindow
  Surface& FormDC() override { return pump_.FormDC(); }
  float ScaleWidth() const override { return pump_.ScaleWidth(); }
  float ScaleHeight() const override { return pump_.ScaleHeight(); }
  void SetMousePointer(MousePointer shape) override;
  int ShowCursor(bool show) override;
  void HideInitPanel() override { pump_.HidePanel(); }
  LinePrimitive& Line1() override { return pump_.Line1(); }
  LinePrimitive& Line2() override { return pump_.Line2(); }
  void Unload() override { unload_(); }

 private:
  friend struct LayerSurfaceListener;

  // SurfaceInput
  void PointerMoved(float x, float y, int buttons) override;
  void ButtonPressed(int button, float x, float y) override;
  void KeyPressed(int key) override;

  void Configure(uint32_t serial, uint32_t width, uint32_t height);
  void Fit();
  void Activate();
  void Leave();
  float ToScene(float logical) const;
  void ApplyCursor();

  WaylandClient& client_;
  EventLoop loop_;
  DisplayEvents& events_;
  std::function<void()> unload_;
  std::unique_ptr<PassTimer> timer_;
  FramePump pump_;
  const Surface* panel_;

  wl_output* output_ = nullptr;
  wl_surface* surface_ = nullptr;
  zwlr_layer_surface_v1* layer_ = nullptr;
  std::unique_ptr<ShmPresenter> presenter_;
  int logical_width_ = 0, logical_height_ = 0;  // as configured
  int scale_ = 0;                               // the device pixels' scale now; 0: none yet

  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);  // for what runs soon
  bool activation_scheduled_ = false;
  bool closed_ = false;
  MousePointer pointer_ = MousePointer::Default;
  int cursor_count_ = 0;
};
