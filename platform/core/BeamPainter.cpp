#include "platform/core/BeamPainter.h"

#include <algorithm>
#include <cmath>

namespace {

// Squared distance from (px, py) to the segment (ax, ay)-(bx, by).
float DistanceSquared(float px, float py, float ax, float ay, float bx, float by) {
  const float dx = bx - ax, dy = by - ay;
  const float length2 = dx * dx + dy * dy;
  float t = length2 > 0 ? ((px - ax) * dx + (py - ay) * dy) / length2 : 0;
  t = std::clamp(t, 0.0f, 1.0f);
  const float cx = ax + t * dx - px, cy = ay + t * dy - py;
  return cx * cx + cy * cy;
}

}  // namespace

void PaintBeam(uint32_t* pixels, int width, int height, const LineGeometry& g) {
  if (!g.Visible) return;
  const float radius = g.Width / 2;
  const float dx = g.X2 - g.X1, dy = g.Y2 - g.Y1;
  const int top = std::max(0, int(std::floor(std::min(g.Y1, g.Y2) - radius)));
  const int bottom = std::min(height - 1, int(std::ceil(std::max(g.Y1, g.Y2) + radius)));
  const uint32_t stored = ToStored(g.BorderColor & 0xFFFFFF);
  for (int y = top; y <= bottom; ++y) {
    // Only the part of the segment within a radius of this row can reach it: the pixels
    // tested are those within a radius of that part's columns, not the beam's whole box.
    const float centre = float(y) + 0.5f;
    float t0 = 0, t1 = 1;
    if (dy != 0) {
      const float ta = (centre - radius - g.Y1) / dy, tb = (centre + radius - g.Y1) / dy;
      t0 = std::max(0.0f, std::min(ta, tb));
      t1 = std::min(1.0f, std::max(ta, tb));
      if (t0 > t1) continue;
    }
    const float xa = g.X1 + t0 * dx, xb = g.X1 + t1 * dx;
    const int left = std::max(0, int(std::floor(std::min(xa, xb) - radius)));
    const int right = std::min(width - 1, int(std::ceil(std::max(xa, xb) + radius)));
    uint32_t* row = pixels + size_t(y) * size_t(width);
    for (int x = left; x <= right; ++x) {
      const float d2 = DistanceSquared(float(x) + 0.5f, centre, g.X1, g.Y1, g.X2, g.Y2);
      if (d2 <= radius * radius) row[x] = stored;
    }
  }
}
