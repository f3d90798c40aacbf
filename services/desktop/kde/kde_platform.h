// The desktop of KDE Plasma on Wayland (KWin): window search and actions
// through KWin's scripting interface on the session bus, keystrokes through
// KWin's fake input protocol. Show modes of started programs are not applied.
#pragma once

#include <string>

#include "services/seams/desktop.h"

namespace tolm {

// Connects to the session bus and takes a bus name of our own for the
// answers of KWin's scripts; false (reason set) when XDG_CURRENT_DESKTOP
// names another desktop, there is no session bus or KWin is not on it. The Wayland connection for keys is made by the first
// key string.
bool OpenKdeDesktop(DesktopBackend& out, std::string& reason);

}  // namespace tolm
