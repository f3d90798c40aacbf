// The desktop of GNOME on Wayland (gnome-shell, Mutter): window search and
// actions through our GNOME Shell extension, keystrokes through Mutter's
// remote desktop interface, both on the session bus. Show modes of started
// programs are not applied.
#pragma once

#include <string>

#include "services/seams/desktop.h"

namespace tolm {

// Opens the desktop when gnome-shell runs this session: org.gnome.Shell is on
// the session bus, and XDG_CURRENT_DESKTOP names GNOME or is not set.
// Otherwise false, with the reason. The extension is not needed to open it:
// without it the window commands fail with what to do, and the keys still
// work.
bool OpenGnomeDesktop(DesktopBackend& out, std::string& reason);

}  // namespace tolm
