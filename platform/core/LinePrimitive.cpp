#include "platform/core/LinePrimitive.h"

#include <algorithm>
#include <cmath>

void AddBeamBoxes(const LineGeometry& g, std::vector<PixelRect>& boxes) {
  constexpr float kStep = 32;
  const int margin = int(std::ceil(g.Width / 2)) + 2;
  const float length = std::hypot(g.X2 - g.X1, g.Y2 - g.Y1);
  const int pieces = std::max(1, int(std::ceil(length / kStep)));
  for (int i = 0; i < pieces; ++i) {
    const float ax = g.X1 + (g.X2 - g.X1) * float(i) / float(pieces);
    const float ay = g.Y1 + (g.Y2 - g.Y1) * float(i) / float(pieces);
    const float bx = g.X1 + (g.X2 - g.X1) * float(i + 1) / float(pieces);
    const float by = g.Y1 + (g.Y2 - g.Y1) * float(i + 1) / float(pieces);
    const int x0 = int(std::floor(std::min(ax, bx))) - margin;
    const int y0 = int(std::floor(std::min(ay, by))) - margin;
    const int x1 = int(std::ceil(std::max(ax, bx))) + margin;
    const int y1 = int(std::ceil(std::max(ay, by))) + margin;
    boxes.push_back({x0, y0, x1 - x0, y1 - y0});
  }
}
