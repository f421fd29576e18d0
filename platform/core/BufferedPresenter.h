// The way to the screen where the screen reads buffers of ours on its own time (a Wayland
// compositor's shared-memory buffers): the scene stays in the surface, and each present brings
// one free buffer up to date with what changed since that buffer was last shown, draws the
// beams and the start-up panel over it, and hands it over with the area it changed.
//
// A buffer the screen still reads is never written; another is made (up to kMostBuffers), or
// the present waits for the next pass with its changes kept. So a compositor that gives each
// buffer back at once costs one buffer and one copy of what changed, as a shared-memory put.
#pragma once

#include <array>
#include <vector>

#include "platform/core/ScreenPresenter.h"

class BufferedPresenter : public ScreenPresenter {
 public:
  static constexpr int kMostBuffers = 3;

  // The start-up panel as it shows (null: none), drawn at the top-left corner while the
  // overlays name a panel text. The caller keeps it valid while it is set.
  void SetPanelImage(const Surface* image) { panel_image_ = image; }
  // The device pixels changed size: every buffer is dropped, and made again at the new size.
  void Reset(int width, int height);

  // ScreenPresenter
  void BeamMoved(const LineGeometry&, const LineGeometry&) override { beams_moved_ = true; }
  void Present(ScaledSurface& screen, const ScreenOverlays& overlays) override;

 protected:
  // The platform's part: a buffer of width x height, 0xFFRRGGBB rows without gaps (null when
  // it cannot be made), whether the screen has given buffer `index` back, showing it with
  // the area that changed, and dropping every buffer.
  virtual uint32_t* MakeBuffer(int index, int width, int height) = 0;
  virtual bool BufferFree(int index) const = 0;
  virtual void ShowBuffer(int index, const std::vector<PixelRect>& changed) = 0;
  virtual void DropBuffers() = 0;

 private:
  struct Buffer {
    uint32_t* pixels = nullptr;
    std::vector<PixelRect> stale;  // what differs from the surface, besides the overlays drawn
    std::array<LineGeometry, 2> beams{};  // drawn over it
    bool panel = false;                   // the panel drawn over it
  };
  Buffer* FreeBuffer();
  void Copy(Buffer& buffer, const ScaledSurface& screen, const std::vector<PixelRect>& areas);
  void DrawOverlays(Buffer& buffer, const ScreenOverlays& overlays, bool panel);
  PixelRect PanelBox() const;

  std::vector<Buffer> buffers_;
  std::vector<PixelRect> changed_;  // a present's, kept so that a frame allocates little
  const Surface* panel_image_ = nullptr;
  int width_ = 0, height_ = 0;
  bool beams_moved_ = false;
  std::array<LineGeometry, 2> last_beams_{};  // on the buffer shown last
  bool panel_shown_ = false;                  // on the buffer shown last
  bool pending_ = false;                      // changes taken that no buffer has shown yet
};
