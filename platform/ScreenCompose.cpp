#include "platform/ScreenCompose.h"

#include <algorithm>
#include <cmath>

namespace {

// Our colours keep red in the low byte; the screen wants it in the high one.
inline uint32_t ToScreen(Colour c) {
  return (c & 0x00FF00) | (c & 0xFF) << 16 | (c >> 16 & 0xFF);
}

void ConvertRows(const Surface& surface, const PixelRect& r, uint32_t* out, int stride) {
  for (int y = r.y; y < r.y + r.height; ++y) {
    const Colour* __restrict src = surface.Row(y) + r.x;
    uint32_t* __restrict dst = out + size_t(y) * size_t(stride) + size_t(r.x);
    for (int i = 0; i < r.width; ++i) dst[i] = ToScreen(src[i]);
  }
}

// A line LinePrimitive::kWidth pixels wide with round ends: every pixel whose centre lies
// within half the width of the segment.
void DrawLine(const LineGeometry& g, const PixelRect& r, uint32_t* out, int stride) {
  const double half = LinePrimitive::kWidth / 2.0;
  const int left = std::max(r.x, int(std::floor(std::min(g.X1, g.X2) - half)));
  const int right = std::min(r.x + r.width, int(std::ceil(std::max(g.X1, g.X2) + half)) + 1);
  const int top = std::max(r.y, int(std::floor(std::min(g.Y1, g.Y2) - half)));
  const int bottom = std::min(r.y + r.height, int(std::ceil(std::max(g.Y1, g.Y2) + half)) + 1);
  const double dx = g.X2 - g.X1, dy = g.Y2 - g.Y1, length2 = dx * dx + dy * dy;
  const uint32_t colour = ToScreen(g.BorderColor);
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      const double px = x + 0.5 - g.X1, py = y + 0.5 - g.Y1;
      const double t = length2 > 0 ? std::clamp((px * dx + py * dy) / length2, 0.0, 1.0) : 0.0;
      const double ex = px - t * dx, ey = py - t * dy;
      if (ex * ex + ey * ey <= half * half) out[size_t(y) * size_t(stride) + size_t(x)] = colour;
    }
  }
}

}  // namespace

void ComposeForScreen(const Surface& surface, const PixelRect& rect, const ScreenOverlays& overlays,
                      uint32_t* out, int stride) {
  const int x0 = std::max(rect.x, 0), y0 = std::max(rect.y, 0);
  const int x1 = std::min(rect.x + rect.width, surface.Width());
  const int y1 = std::min(rect.y + rect.height, surface.Height());
  if (x0 >= x1 || y0 >= y1) return;
  const PixelRect r{x0, y0, x1 - x0, y1 - y0};
  ConvertRows(surface, r, out, stride);
  if (const Surface* panel = overlays.panel) {
    const PixelRect p{r.x, r.y, std::min(x1, panel->Width()) - r.x,
                      std::min(y1, panel->Height()) - r.y};
    if (p.width > 0 && p.height > 0) ConvertRows(*panel, p, out, stride);
  }
  for (const LineGeometry& line : overlays.lines) {
    if (line.Visible) DrawLine(line, r, out, stride);
  }
}
