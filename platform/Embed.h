// Placing a window inside a foreign X11 window (the host of a preview).
#pragma once

#include <cstdint>
#include <functional>

class QWidget;

// Makes `window` a child of the X11 window `hostId`, filling the host's area and following
// its size. Returns false, leaving the window top-level, when the id is 0 or names no window.
// `onHostGone` runs once when the host, or our window inside it, is destroyed.
bool SetParent(QWidget* window, int32_t hostId, std::function<void()> onHostGone);
