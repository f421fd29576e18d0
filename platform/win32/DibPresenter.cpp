#include "platform/win32/DibPresenter.h"

#include <cstring>

#include "platform/core/BeamPainter.h"

DibPresenter::DibPresenter(HWND window) : window_(window) {}

DibPresenter::~DibPresenter() {
  Release();
}

void DibPresenter::Release() {
  if (!memory_) return;
  SelectObject(memory_, previous_);
  DeleteObject(dib_);
  DeleteDC(memory_);
  memory_ = nullptr;
  dib_ = nullptr;
}

uint32_t* DibPresenter::Resize(int width, int height) {
  Release();
  width_ = width, height_ = height;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down, as the surface keeps its rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(window_);
  dib_ = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  memory_ = CreateCompatibleDC(screen);
  ReleaseDC(window_, screen);
  if (!dib_ || !memory_ || !bits) {
    if (dib_) DeleteObject(dib_);
    if (memory_) DeleteDC(memory_);
    dib_ = nullptr, memory_ = nullptr;
    return nullptr;
  }
  previous_ = SelectObject(memory_, dib_);
  return static_cast<uint32_t*>(bits);
}

void DibPresenter::BeamMoved(const LineGeometry& before, const LineGeometry&) {
  if (before.Visible) AddBeamBoxes(before, stale_);
  beams_moved_ = true;
}

void DibPresenter::Present(ScaledSurface& screen, const ScreenOverlays& overlays) {
  if (!memory_) return;
  rects_.clear();
  screen.TakeChanges(rects_);
  const bool panel = overlays.panelText != nullptr;
  if (!panel && panel_.right > 0) {  // the panel has gone: the scene shows there again
    stale_.push_back({0, 0, int(panel_.right), int(panel_.bottom)});
    panel_ = {};
  }
  if (rects_.empty() && stale_.empty() && !beams_moved_ && !panel) return;
  rects_.insert(rects_.end(), stale_.begin(), stale_.end());
  stale_.clear();
  beams_moved_ = false;
  HDC dc = GetDC(window_);
  for (const PixelRect& r : rects_) Copy(dc, r);
  DrawOverlays(dc, overlays);
  ReleaseDC(window_, dc);
}

void DibPresenter::Paint(HDC dc, const RECT& area, const ScreenOverlays& overlays) {
  if (!memory_) return;
  Copy(dc,
       {int(area.left), int(area.top), int(area.right - area.left), int(area.bottom - area.top)});
  DrawOverlays(dc, overlays);
}

void DibPresenter::Copy(HDC dc, const PixelRect& r) const {
  BitBlt(dc, r.x, r.y, r.width, r.height, memory_, r.x, r.y, SRCCOPY);
}

void DibPresenter::DrawOverlays(HDC dc, const ScreenOverlays& overlays) {
  for (const LineGeometry& beam : overlays.lines) {
    if (!beam.Visible) continue;
    // A wide cosmetic pen has round ends, as the beams do elsewhere.
    HPEN pen = CreatePen(PS_SOLID, int(beam.Width), COLORREF(beam.BorderColor & 0xFFFFFF));
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, int(beam.X1), int(beam.Y1), nullptr);
    LineTo(dc, int(beam.X2), int(beam.Y2));
    SelectObject(dc, old);
    DeleteObject(pen);
  }
  if (!overlays.panelText) return;
  const int length = int(strlen(overlays.panelText));
  HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SIZE text{};
  GetTextExtentPoint32A(dc, overlays.panelText, length, &text);
  panel_ = {0, 0, text.cx + 16, text.cy + 12};
  SetTextColor(dc, RGB(255, 255, 255));
  SetBkColor(dc, RGB(0, 0, 0));
  ExtTextOutA(dc, 8, 6, ETO_OPAQUE, &panel_, overlays.panelText, UINT(length), nullptr);
  SelectObject(dc, oldFont);
}
