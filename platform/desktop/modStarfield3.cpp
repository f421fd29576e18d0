#include "platform/desktop/modStarfield3.h"

#include <QWidget>
#include <QWindow>

#include "platform/desktop/Form.h"

namespace {

// Changes the flag on the native window only: the window manager is asked to raise or lower
// its band, and the widget is not re-created, so it keeps its place and size.
void SetStaysOnTop(Form& frm, bool on) {
  QWidget* window = frm.Window();
  if (!window) return;
  window->winId();
  if (QWindow* native = window->windowHandle()) native->setFlag(Qt::WindowStaysOnTopHint, on);
}

}  // namespace

void SetTopmost(Form& frm) {
  SetStaysOnTop(frm, true);
}
void ClearTopmost(Form& frm) {
  SetStaysOnTop(frm, false);
}
