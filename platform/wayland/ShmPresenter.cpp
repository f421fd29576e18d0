#include "platform/wayland/ShmPresenter.h"

#include <algorithm>
#include <chrono>

#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include "platform/wayland/WaylandClient.h"

namespace {

void Released(void* data, wl_buffer*) {
  *static_cast<bool*>(data) = false;
}
constexpr wl_buffer_listener kBufferListener = {Released};

// How long a frame waits at most for the compositor to give a buffer back before a third is
// made: two of its frames at 60 Hz (a compositor that reads our buffer when it draws the
// output gives the one before back only once it has drawn the next).
constexpr std::chrono::milliseconds kReleaseWait{35};

}  // namespace

ShmPresenter::ShmPresenter(WaylandClient& client, wl_surface* surface)
    : client_(client), surface_(surface), releases_(wl_display_create_queue(client.Display())) {}

ShmPresenter::~ShmPresenter() {
  DropBuffers();
  wl_event_queue_destroy(releases_);
}

bool ShmPresenter::BufferFree(int index) {
  wl_display_dispatch_queue_pending(client_.Display(), releases_);
  return !shared_.at(size_t(index)).busy;
}

// Reads what the compositor sends until it gives a buffer back, for a short while at most;
// the rest waits on its queues for the event loop, which hears of it with the next event.
void ShmPresenter::AwaitRelease() {
  wl_display* display = client_.Display();
  client_.Flush();
  const auto deadline = std::chrono::steady_clock::now() + kReleaseWait;
  auto anyFree = [this] {
    return std::any_of(shared_.begin(), shared_.end(),
                       [](const Shared& s) { return s.buffer && !s.busy; });
  };
  while (!anyFree()) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return;
    if (wl_display_prepare_read_queue(display, releases_) != 0) {
      wl_display_dispatch_queue_pending(display, releases_);
      continue;
    }
    pollfd ready{client_.Fd(), POLLIN, 0};
    if (::poll(&ready, 1, int(left.count())) > 0) {
      if (wl_display_read_events(display) < 0) return;  // the compositor has gone
    } else {
      wl_display_cancel_read(display);
    }
    wl_display_dispatch_queue_pending(display, releases_);
  }
}

uint32_t* ShmPresenter::MakeBuffer(int index, int width, int height) {
  const size_t bytes = size_t(width) * size_t(height) * 4;
  const int fd = ::memfd_create("skorvane-frame", MFD_CLOEXEC);
  if (fd < 0) return nullptr;
  void* memory = MAP_FAILED;
  if (::ftruncate(fd, off_t(bytes)) == 0)
    memory = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  if (memory == MAP_FAILED) {
    ::close(fd);
    return nullptr;
  }
  wl_shm_pool* pool = wl_shm_create_pool(client_.Shm(), fd, int32_t(bytes));
  wl_buffer* buffer =
      wl_shm_pool_create_buffer(pool, 0, width, height, width * 4, WL_SHM_FORMAT_XRGB8888);
  wl_shm_pool_destroy(pool);  // the buffer keeps the memory shared
  ::close(fd);
  Shared& made = shared_.at(size_t(index));
  made = {buffer, memory, bytes, false};
  wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(buffer), releases_);
  wl_buffer_add_listener(buffer, &kBufferListener, &made.busy);
  return static_cast<uint32_t*>(memory);
}

void ShmPresenter::ShowBuffer(int index, const std::vector<PixelRect>& changed) {
  Shared& shown = shared_[size_t(index)];
  wl_surface_attach(surface_, shown.buffer, 0, 0);
  for (const PixelRect& r : changed)
    wl_surface_damage_buffer(surface_, r.x, r.y, r.width, r.height);
  wl_surface_commit(surface_);
  shown.busy = true;
  client_.Flush();
}

void ShmPresenter::DropBuffers() {
  for (Shared& s : shared_) {
    if (!s.buffer) continue;
    wl_buffer_destroy(s.buffer);
    ::munmap(s.memory, s.bytes);
    s = {};
  }
}
