#include "platform/desktop/ToolkitPresenter.h"

#include <QPaintEvent>
#include <QPainter>
#include <QWidget>
#include <cmath>

namespace {

QColor ToQColor(Colour c) {
  return QColor(int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF));
}

}  // namespace

QRect DeviceRect(const QRect& rect, double ratio) {
  return QRect(QPoint(int(rect.left() * ratio), int(rect.top() * ratio)),
               QPoint(int(std::ceil((rect.right() + 1) * ratio)) - 1,
                      int(std::ceil((rect.bottom() + 1) * ratio)) - 1));
}

QRect ToolkitPresenter::Logical(const PixelRect& r) const {
  // Every logical pixel the device rectangle touches.
  const double ratio = widget_.devicePixelRatioF();
  return QRect(QPoint(int(std::floor(r.x / ratio)), int(std::floor(r.y / ratio))),
               QPoint(int(std::ceil((r.x + r.width) / ratio)) - 1,
                      int(std::ceil((r.y + r.height) / ratio)) - 1));
}

void ToolkitPresenter::BeamMoved(const LineGeometry& before, const LineGeometry& after) {
  std::vector<PixelRect> boxes;
  if (before.Visible) AddBeamBoxes(before, boxes);
  if (after.Visible) AddBeamBoxes(after, boxes);
  for (const PixelRect& b : boxes) widget_.update(Logical(b));
}

void ToolkitPresenter::Present(ScaledSurface& screen, const ScreenOverlays&) {
  if (!screen.Scene().Changes().Any()) return;
  const std::vector<PixelRect> changed = screen.TakeChanges();
  QRegion region;
  if (widget_.devicePixelRatioF() == 1.0) {
    // Already banded and free of overlaps: the whole region in one call.
    QList<QRect> rects;
    for (const PixelRect& r : changed) rects.append(QRect(r.x, r.y, r.width, r.height));
    region.setRects(rects.constData(), int(rects.size()));
  } else {
    for (const PixelRect& r : changed) region += Logical(r);
  }
  widget_.update(region);
}

void ToolkitPresenter::Paint(QPaintEvent* event, const ScaledSurface& screen,
                             const ScreenOverlays& overlays) {
  QPainter painter(&widget_);
  const QImage image(reinterpret_cast<const uchar*>(screen.DevicePixels()), screen.DeviceWidth(),
                     screen.DeviceHeight(), screen.DeviceWidth() * 4, QImage::Format_RGB32);
  const double ratio = widget_.devicePixelRatioF();
  for (const QRect& rect : event->region()) {
    const QRect device = DeviceRect(rect, ratio);
    painter.drawImage(QRectF(device.topLeft() / ratio, device.size() / ratio), image,
                      device.intersected(image.rect()));
  }
  painter.setClipRegion(event->region());
  for (const LineGeometry& g : overlays.lines) {
    if (!g.Visible) continue;
    painter.setPen(QPen(ToQColor(g.BorderColor), g.Width / ratio, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(g.X1, g.Y1) / ratio, QPointF(g.X2, g.Y2) / ratio);
  }
}
