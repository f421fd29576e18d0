// The full-screen window that shows a Surface: borderless, black, covering one screen.
//
// Presentation: after each pass of the frame loop only the tiles of the surface that changed
// are handed to the screen, and exposed areas are repainted from the surface, so the cost of a
// frame follows what moved. The two laser lines are drawn over the surface, never into it.
// Where the X server shares memory with us the pixels go straight into the window
// (XcbPresenter); elsewhere they go through the toolkit's painting.
//
// Timing: the passes are driven by one precise single-shot timer armed to the next time the
// form says something is due (a frame, or automatic fire); input is handled between passes.
#pragma once

#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "platform/core/Clock.h"
#include "platform/core/DisplayWindow.h"
#include "platform/core/FrameLog.h"
#include "platform/core/ScaledSurface.h"
#include "platform/desktop/BeamTrail.h"
#include "platform/desktop/XcbPresenter.h"

class SurfaceWindow : public QWidget, public DisplayWindow {
 public:
  SurfaceWindow(DisplayEvents& events, Clock& clock, std::function<void()> unload, QScreen* screen);

  // DisplayWindow
  Surface& FormDC() override { return screen_.Scene(); }
  float ScaleWidth() const override { return float(screen_.Scene().Width()); }
  float ScaleHeight() const override { return float(screen_.Scene().Height()); }
  void SetMousePointer(MousePointer shape) override;
  int ShowCursor(bool show) override;
  void HideInitPanel() override;
  LinePrimitive& Line1() override { return lines_[0]; }
  LinePrimitive& Line2() override { return lines_[1]; }
  void Unload() override { unload_(); }

 protected:
  QPaintEngine* paintEngine() const override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void StartPresenter(int width, int height);
  void ShowToolkitPanel();
  void PaintThroughToolkit(QPaintEvent* event);
  ScreenOverlays Overlays() const;
  void Activate();
  void Deliver(std::function<void()> input);  // now, or after activation
  void RunPass();
  void Present();
  void ApplyCursor();
  void BeamMoved(const LineGeometry& before, const LineGeometry& after);
  QRect DeviceRect(const QRect& logical) const;
  QPointF ScenePoint(const QPointF& logical) const;

  DisplayEvents& events_;
  Clock& clock_;
  std::function<void()> unload_;
  ScaledSurface screen_;  // the scene's surface, and the device pixels it shows on
  LinePrimitive lines_[2];
  QLabel* panel_ = nullptr;  // the start-up panel as the toolkit shows it, when it paints
  bool initialising_ = true;
  std::unique_ptr<XcbPresenter> presenter_;  // null: painting through the toolkit
  BeamTrail beams_;  // with the presenter: what the server drew over the window
  bool presenter_tried_ = false;
  PixelRect panel_box_{0, 0, 0, 0};  // the panel as the presenter draws it, while shown
  QTimer pass_timer_;
  bool activation_scheduled_ = false;
  bool activated_ = false;
  std::vector<std::function<void()>> held_input_;
  MousePointer pointer_ = MousePointer::Default;
  int cursor_count_ = 0;
  FrameLog frame_log_;
};
