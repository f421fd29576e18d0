// The full-screen drawing window as the display form sees it, and the events it delivers.
// The platform implements DisplayWindow; the form implements DisplayEvents.
#pragma once

#include <cstdint>

#include "platform/core/LinePrimitive.h"
#include "platform/core/Surface.h"

// The panel a display window shows while the form activates.
constexpr const char* kInitPanelText = "Initializing Screen Saver... Please Wait...";

enum class MousePointer { Default = 0, Crosshair = 2, Busy = 11 };

class DisplayWindow {
 public:
  virtual ~DisplayWindow() = default;
  virtual Surface& FormDC() = 0;         // the window's drawing surface, device pixels
  virtual float ScaleWidth() const = 0;  // drawing area, pixels
  virtual float ScaleHeight() const = 0;
  virtual void SetMousePointer(MousePointer shape) = 0;
  virtual int ShowCursor(bool show) = 0;  // returns the new display count; hidden below 0
  virtual void HideInitPanel() = 0;
  virtual LinePrimitive& Line1() = 0;
  virtual LinePrimitive& Line2() = 0;
  virtual void Unload() = 0;  // close the window
};

class DisplayEvents {
 public:
  virtual ~DisplayEvents() = default;
  virtual void Form_Activate() = 0;
  virtual bool Form_Paint() = 0;            // one pass of the frame loop; true if it drew a frame
  virtual int64_t NextPassDue() const = 0;  // clock reading at which the next pass is due
  virtual void Form_Resize() = 0;
  virtual void Form_KeyDown(int keyCode, int shift) = 0;
  virtual void Form_KeyPress(int keyAscii) = 0;
  virtual void Form_MouseDown(int button, int shift, float x, float y) = 0;
  virtual void Form_MouseMove(int button, int shift, float x, float y) = 0;
};
