// The toolkit's painting as the way to the screen, where the X server shares no memory with
// us (or SKORVANE_PRESENT=toolkit asks for it): what changed is marked for repainting, and
// the widget's paint event draws it from the device pixels, with the beams over them.
#pragma once

#include <QRegion>

#include "platform/core/ScreenPresenter.h"

class QPaintEvent;
class QWidget;

// Every device pixel a rectangle of logical pixels touches, at `ratio` device pixels a point.
QRect DeviceRect(const QRect& logical, double ratio);

class ToolkitPresenter : public ScreenPresenter {
 public:
  explicit ToolkitPresenter(QWidget& widget) : widget_(widget) {}

  // ScreenPresenter
  void BeamMoved(const LineGeometry& before, const LineGeometry& after) override;
  void Present(ScaledSurface& screen, const ScreenOverlays& overlays) override;

  // The widget's paint event: the region it asks for, from `screen`.
  void Paint(QPaintEvent* event, const ScaledSurface& screen, const ScreenOverlays& overlays);

 private:
  QRect Logical(const PixelRect& device) const;

  QWidget& widget_;
};
