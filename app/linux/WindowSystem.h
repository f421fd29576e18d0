// Which window system a run draws on. Most Linux desktops now run Wayland, with X11 beside
// it (XWayland) for older programs. A run that names an X11 window (frontend mode, a
// preview inside a host) draws on X11 whatever the session; the others take what the
// toolkit finds.
#pragma once

#include <optional>
#include <string>

#include "app/linux/Options.h"

// Sets the toolkit's platform where the run needs X11. nullopt when the run can go on, else
// the one line that says why it cannot.
std::optional<std::string> ChooseWindowSystem(const RunOptions& options);
