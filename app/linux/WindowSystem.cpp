#include "app/linux/WindowSystem.h"

#include <cstdlib>

#include "platform/wayland/WaylandClient.h"
#include "startup/modMain.h"

namespace {

bool Set(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

}  // namespace

std::optional<std::string> ChooseWindowSystem(const RunOptions& options) {
  const bool frontend = options.frontend == RunOptions::Frontend::Window;
  const bool namesAWindow = frontend || modMain::PreviewHostOf(options.switches) != 0;
  if (!namesAWindow) return std::nullopt;
  if (!Set("DISPLAY")) {
    return std::string(frontend ? "frontend mode" : "a preview in a host window") +
           " draws into an X11 window, and there is no X display (DISPLAY is not set)";
  }
  // A Wayland session's root window is XWayland's, which nobody sees.
  if (frontend && options.windowId == 0 && Set("WAYLAND_DISPLAY") && !Set("XSCREENSAVER_WINDOW")) {
    return std::string(
        "frontend mode needs a frontend's window (XSCREENSAVER_WINDOW or --window-id): in a "
        "Wayland session nobody sees the root window");
  }
  ::setenv("QT_QPA_PLATFORM", "xcb", 1);
  return std::nullopt;
}

std::unique_ptr<WaylandClient> LayerShellConnection(const RunOptions& options) {
  if (options.frontend == RunOptions::Frontend::Window) return nullptr;
  if (modMain::PreviewHostOf(options.switches) != 0 || !Set("WAYLAND_DISPLAY")) return nullptr;
  std::unique_ptr<WaylandClient> client = WaylandClient::Connect();
  if (client && modMain::RunsTheDisplay(options.switches) && !Set("QT_QPA_PLATFORM"))
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  return client;
}
