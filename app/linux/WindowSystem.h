// Which window system a run draws on. Most Linux desktops now run Wayland, with X11 beside
// it (XWayland) for older programs. A run that names an X11 window (frontend mode, a
// preview inside a host) draws on X11 whatever the session; the others take what the
// toolkit finds.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "app/linux/Options.h"

class WaylandClient;

// Sets the toolkit's platform where the run needs X11. nullopt when the run can go on, else
// the one line that says why it cannot.
std::optional<std::string> ChooseWindowSystem(const RunOptions& options);

// Our own connection to the Wayland compositor, for the display's layer surfaces: when the
// session is a Wayland one, the run does not name an X11 window, and the compositor offers
// the layer shell (else null: the display uses the toolkit's windows). A run of the display
// alone then needs no window system of the toolkit's, and it takes none: the toolkit's
// Wayland client would cost more memory than the display itself. Before the toolkit starts.
std::unique_ptr<WaylandClient> LayerShellConnection(const RunOptions& options);
