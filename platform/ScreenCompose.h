// What the screen shows of a rectangle of the window: the surface's pixels in the screen's
// 0x00RRGGBB order, with the initialisation panel and the visible laser lines over them.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/DirtyTiles.h"
#include "platform/LinePrimitive.h"
#include "platform/Surface.h"

struct ScreenOverlays {
  std::vector<LineGeometry> lines;  // only the visible ones are drawn
  const Surface* panel = nullptr;   // at the top-left corner, when shown
};

// Writes rectangle `r` (clipped to the surface) into `out`, a screen-sized image of
// `stride` pixels a row, at the same place.
void ComposeForScreen(const Surface& surface, const PixelRect& r, const ScreenOverlays& overlays,
                      uint32_t* out, int stride);
