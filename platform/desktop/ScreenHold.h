// Keeps the display's windows in front of everything while they show, as a screensaver must
// on X11, where no desktop of its own keeps other windows away: the windows bypass the
// window manager (so no task list or pager shows them and no window manager stacks others
// over them), the keyboard and the pointer are grabbed, and a window that maps or moves above
// them sends them back on top.
//
// A grab that another client holds (a menu, a locker that is just letting go) is tried again
// for a few seconds; without it the display runs on, still on top.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QTimer>
#include <cstdint>
#include <vector>

class QWidget;

class ScreenHold : public QAbstractNativeEventFilter {
 public:
  ScreenHold();
  ~ScreenHold() override;

  // Marks a window before it is first shown, so that the window manager never takes it.
  static void BypassWindowManager(QWidget& window);

  // Holds the screen with these windows; the first one takes the keyboard and the pointer.
  // Call once they are mapped; again whenever the set changes.
  void Hold(const std::vector<QWidget*>& windows);
  void Release();

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

 private:
  void TryGrabs();
  void RaiseSoon();
  void Raise();
  void WatchRoot();

  std::vector<uint32_t> windows_;
  bool keyboard_ = false, pointer_ = false;
  int grab_tries_ = 0;
  QTimer grab_retry_;
  QTimer raise_;  // raises are coalesced: a burst of maps costs one restack
  bool root_watched_ = false;
};
