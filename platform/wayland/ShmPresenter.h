// A Wayland surface's way to the screen: BufferedPresenter's buffers as the compositor's
// shared-memory buffers, each handed over with damage in buffer pixels, and taken up again
// once the compositor releases it. The release events come on a queue of their own, so that
// waiting for one never hands the seat's input to anybody in the middle of a frame.
#pragma once

#include <array>
#include <vector>

#include "platform/core/BufferedPresenter.h"

struct wl_buffer;
struct wl_event_queue;
struct wl_surface;
class WaylandClient;

class ShmPresenter : public BufferedPresenter {
 public:
  ShmPresenter(WaylandClient& client, wl_surface* surface);
  ~ShmPresenter() override;
  ShmPresenter(const ShmPresenter&) = delete;
  ShmPresenter& operator=(const ShmPresenter&) = delete;

 protected:
  uint32_t* MakeBuffer(int index, int width, int height) override;
  bool BufferFree(int index) override;
  void AwaitRelease() override;
  void ShowBuffer(int index, const std::vector<PixelRect>& changed) override;
  void DropBuffers() override;

 private:
  struct Shared {
    wl_buffer* buffer = nullptr;
    void* memory = nullptr;
    size_t bytes = 0;
    bool busy = false;  // the compositor has it
  };
  WaylandClient& client_;
  wl_surface* surface_;
  wl_event_queue* releases_;
  std::array<Shared, kMostBuffers> shared_{};  // fixed places: the release events point in
};
