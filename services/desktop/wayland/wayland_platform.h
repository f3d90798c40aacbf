// The desktop of a wlroots compositor (sway, Hyprland, labwc, river, Wayfire,
// ...): window search and actions, keystrokes and show modes through the
// foreign toplevel and virtual keyboard protocols.
#pragma once

#include <string>

#include "services/seams/desktop.h"

namespace tolm {

// Connects to the compositor named by WAYLAND_DISPLAY; false (reason set) when there is none or it lacks the protocols.
bool OpenWaylandDesktop(tolm::DesktopBackend& out, std::string& reason);

}  // namespace tolm
