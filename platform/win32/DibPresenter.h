// A display window's way to the screen on Windows: the device pixels are a DIB section's, the
// scene drawing straight into them; each present copies the changed areas to the window with
// BitBlt and draws the beams and the start-up panel over them with GDI, never into the scene.
#pragma once

#include "platform/win32/WindowsApi.h"

#include <vector>

#include "platform/core/ScreenPresenter.h"

class DibPresenter : public ScreenPresenter {
 public:
  explicit DibPresenter(HWND window);
  ~DibPresenter() override;
  DibPresenter(const DibPresenter&) = delete;
  DibPresenter& operator=(const DibPresenter&) = delete;

  // New pixels of width x height (top-down rows, 0x00RRGGBB), black; null if none could be
  // made.
  uint32_t* Resize(int width, int height);

  // ScreenPresenter
  void BeamMoved(const LineGeometry& before, const LineGeometry& after) override;
  void Present(ScaledSurface& screen, const ScreenOverlays& overlays) override;

  // WM_PAINT: the area the system asks for, with the overlays over it.
  void Paint(HDC dc, const RECT& area, const ScreenOverlays& overlays);

 private:
  void Copy(HDC dc, const PixelRect& r) const;
  void DrawOverlays(HDC dc, const ScreenOverlays& overlays);
  void Release();

  HWND window_;
  HDC memory_ = nullptr;
  HBITMAP dib_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  int width_ = 0, height_ = 0;
  std::vector<PixelRect> rects_;  // a present's
  std::vector<PixelRect> stale_;  // where overlays were that have moved or gone
  RECT panel_{};                  // where the panel shows, while it does
  bool beams_moved_ = false;
};
