// Placing a window inside a foreign X11 window (the host of a preview).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

class QWidget;

// Follows the host of an embedded window while it lives: the host's size, and its end.
class HostWatch {
 public:
  virtual ~HostWatch() = default;
};

// Makes `window` a child of the X11 window `hostId`, filling the host's area and following
// its size for as long as the returned watch lives. Returns nullptr, leaving the window
// top-level, when the id is 0 or names no window. `onHostGone` runs once when the host, or
// our window inside it, is destroyed.
std::unique_ptr<HostWatch> SetParent(QWidget* window, int32_t hostId,
                                     std::function<void()> onHostGone);
