// A line drawn over a window: end points in window pixels, a colour and a visibility. Lines
// are overlays: the window draws them over its surface and, when one is hidden or moved,
// repaints what lies under it from the surface; the surface itself is never touched.
#pragma once

#include <functional>

#include <vector>

#include "platform/core/DirtyTiles.h"
#include "platform/core/Surface.h"

struct LineGeometry {
  static constexpr float kWidth = 5;  // pixels, with round caps
  float X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  float Width = kWidth;
  Colour BorderColor = kBlack;
  bool Visible = false;
  bool operator==(const LineGeometry&) const = default;
};

class LinePrimitive {
 public:
  const LineGeometry& Geometry() const { return geometry_; }
  void SetStart(float x, float y) {
    Change([&](LineGeometry& g) { g.X1 = x, g.Y1 = y; });
  }
  void SetEnd(float x, float y) {
    Change([&](LineGeometry& g) { g.X2 = x, g.Y2 = y; });
  }
  void SetBorderColor(Colour c) {
    Change([&](LineGeometry& g) { g.BorderColor = c; });
  }
  void SetVisible(bool v) {
    Change([&](LineGeometry& g) { g.Visible = v; });
  }

  // The window's hook: told the old and the new geometry of every change.
  std::function<void(const LineGeometry& before, const LineGeometry& after)> onChange;

 private:
  template <typename Edit>
  void Change(Edit edit) {
    const LineGeometry before = geometry_;
    edit(geometry_);
    if (onChange && !(before == geometry_)) onChange(before, geometry_);
  }
  LineGeometry geometry_;
};

// The pixels a line covers, as a row of small boxes along it: where a beam was drawn over
// the window, this is what must be shown again from the surface once it has moved.
void AddBeamBoxes(const LineGeometry& line, std::vector<PixelRect>& boxes);
