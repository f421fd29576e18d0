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
#include <QWidget>
#include <functional>
#include <memory>

#include "platform/core/Clock.h"
#include "platform/core/DisplayWindow.h"
#include "platform/core/FramePump.h"
#include "platform/desktop/QtPassTimer.h"
#include "platform/desktop/ServerPresenter.h"
#include "platform/desktop/ToolkitPresenter.h"

class SurfaceWindow : public QWidget, public DisplayWindow {
 public:
  // `log` may be null.
  SurfaceWindow(DisplayEvents& events, Clock& clock, std::function<void()> unload, QScreen* screen,
                FrameLog* log = nullptr);

  // DisplayWindow
  Surface& FormDC() override { return pump_.FormDC(); }
  float ScaleWidth() const override { return pump_.ScaleWidth(); }
  float ScaleHeight() const override { return pump_.ScaleHeight(); }
  void SetMousePointer(MousePointer shape) override;
  int ShowCursor(bool show) override;
  void HideInitPanel() override;
  LinePrimitive& Line1() override { return pump_.Line1(); }
  LinePrimitive& Line2() override { return pump_.Line2(); }
  void Unload() override { unload_(); }

 protected:
  QPaintEngine* paintEngine() const override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void StartServerPresenter(int width, int height);
  void PaintThroughToolkit();
  void ShowToolkitPanel();
  void Activate();
  void Deliver(std::function<void()> input);  // now, or after activation
  void ApplyCursor();
  QPointF ScenePoint(const QPointF& logical) const;

  DisplayEvents& events_;
  std::function<void()> unload_;
  QtPassTimer timer_;
  FramePump pump_;
  std::unique_ptr<ServerPresenter> server_;  // null: painting through the toolkit
  ToolkitPresenter toolkit_;
  bool server_tried_ = false;
  QLabel* panel_ = nullptr;          // the start-up panel as the toolkit shows it, when it paints
  PixelRect panel_box_{0, 0, 0, 0};  // the panel as the server draws it, while shown
  bool initialising_ = true;
  bool activation_scheduled_ = false;
  MousePointer pointer_ = MousePointer::Default;
  int cursor_count_ = 0;
};
