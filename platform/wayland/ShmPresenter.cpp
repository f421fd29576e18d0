#include "platform/wayland/ShmPresenter.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include "platform/wayland/WaylandClient.h"

namespace {

void Released(void* data, wl_buffer*) {
  *static_cast<bool*>(data) = false;
}
constexpr wl_buffer_listener kBufferListener = {Released};

}  // namespace

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
