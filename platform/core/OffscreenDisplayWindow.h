// A display window without a screen: a surface of a given size, and a record of what the
// form asked of the window. For tests, benchmarks and for rendering stills of the display.
#pragma once

#include <vector>

#include "platform/core/DisplayWindow.h"

class OffscreenDisplayWindow : public DisplayWindow {
 public:
  OffscreenDisplayWindow(int width, int height) : surface(width, height, kBlack) {}

  Surface& FormDC() override { return surface; }
  float ScaleWidth() const override { return float(surface.Width()); }
  float ScaleHeight() const override { return float(surface.Height()); }
  void SetMousePointer(MousePointer shape) override { pointers.push_back(shape); }
  int ShowCursor(bool show) override { return cursorCount += show ? 1 : -1; }
  void HideInitPanel() override { panelHidden = true; }
  LinePrimitive& Line1() override { return line1; }
  LinePrimitive& Line2() override { return line2; }
  void Unload() override { ++unloads; }

  Surface surface;
  LinePrimitive line1, line2;
  std::vector<MousePointer> pointers;
  int cursorCount = 0;
  bool panelHidden = false;
  int unloads = 0;
};
