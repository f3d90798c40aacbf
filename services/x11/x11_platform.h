// Installs the X11 desktop: window search and actions, keystrokes, show
// modes. Touches no X server: every connection opens on first use.
#pragma once

namespace tolm {

// Called once by main(), before any other thread starts.
void InstallX11Platform();

}  // namespace tolm
