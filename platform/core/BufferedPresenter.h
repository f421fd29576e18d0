// The way to the screen where the screen reads buffers of ours on its own time (a Wayland
// compositor's shared-memory buffers). The scene draws straight into one of the buffers, so
// that the screen's pixels are not kept a third time: before anything draws (WaitIdle), a
// buffer the screen still holds is swapped for a free one, brought up to date with what was
// drawn since that one was last drawn into. Each present keeps the scene's pixels under the
// beams and the start-up panel, draws those over them, and hands the buffer over with the area
// that changed on screen.
//
// Two buffers take turns; a third is made only when the screen keeps both past a short wait.
// A compositor that gives each buffer back at once costs one buffer, and no copy at all.
#pragma once

#include <array>
#include <vector>

#include "platform/core/ScreenPresenter.h"

class BufferedPresenter : public ScreenPresenter {
 public:
  static constexpr int kTurns = 2;
  static constexpr int kMostBuffers = 3;

  // The start-up panel as it shows (null: none), drawn at the top-left corner while the
  // overlays name a panel text. The caller keeps it valid while it is set.
  void SetPanelImage(const Surface* image) { panel_image_ = image; }
  // The device pixels changed size: every buffer is dropped, and the first of the new size
  // made, for the screen to be attached to (null: it could not be made; nothing shows).
  uint32_t* Reset(int width, int height);
  // The buffers are about to go: the screen keeps the scene in pixels of its own.
  void Detach(ScaledSurface& screen);

  // ScreenPresenter
  void WaitIdle(ScaledSurface& screen) override;
  void BeamMoved(const LineGeometry&, const LineGeometry&) override { beams_moved_ = true; }
  void Present(ScaledSurface& screen, const ScreenOverlays& overlays) override;

 protected:
  // The platform's part: a buffer of width x height, 0xFFRRGGBB rows without gaps (null when
  // it cannot be made); whether the screen has given buffer `index` back; a short wait for
  // it to give one back; showing a buffer with the area that changed; dropping every buffer.
  virtual uint32_t* MakeBuffer(int index, int width, int height) = 0;
  virtual bool BufferFree(int index) = 0;
  virtual void AwaitRelease() = 0;
  virtual void ShowBuffer(int index, const std::vector<PixelRect>& changed) = 0;
  virtual void DropBuffers() = 0;

 private:
  struct Saved {
    PixelRect area;
    std::vector<uint32_t> pixels;
  };
  struct Buffer {
    uint32_t* pixels = nullptr;
    std::vector<PixelRect> stale;  // drawn into another buffer since this one was drawn into
    std::vector<Saved> under;      // the scene's pixels where overlays are drawn over it
  };
  bool OnOurBuffer(const ScaledSurface& screen) const;
  int OtherFreeBuffer();
  int MakeOne();
  void MoveScreen(ScaledSurface& screen, int to);
  void CopyAreas(const Buffer& from, Buffer& to, const std::vector<PixelRect>& areas) const;
  void Paste(const Saved& saved, Buffer& to) const;
  void Restore(Buffer& buffer) const;
  void DrawOverlays(Buffer& buffer, const ScreenOverlays& overlays, bool panel);
  PixelRect PanelBox() const;

  std::vector<Buffer> buffers_;
  int drawing_ = -1;                // the buffer the scene draws into
  std::vector<PixelRect> changed_;  // a present's, kept so that a frame allocates little
  const Surface* panel_image_ = nullptr;
  int width_ = 0, height_ = 0;
  bool beams_moved_ = false;
  std::array<LineGeometry, 2> last_beams_{};  // on the buffer shown last
  bool panel_shown_ = false;                  // on the buffer shown last
};
