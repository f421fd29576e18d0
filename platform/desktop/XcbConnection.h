// The toolkit's own connection to the X server, for the few requests we make ourselves.
#pragma once

#include <QGuiApplication>

struct xcb_connection_t;

// nullptr when the program does not run on X (the offscreen platform of the tests).
inline xcb_connection_t* ToolkitXcbConnection() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->connection() : nullptr;
}
