// The X11 desktop: window search and actions, keystrokes, show modes. Touches
// no X server: every connection opens on first use. The program gets it from
// the module tolm32-x11.so (services/desktop/x11/module); tests and
// benchmarks link it and install it directly: InstallDesktop(OpenX11Desktop()).
#pragma once

#include "services/seams/desktop.h"

namespace tolm {

// Readies Xlib for threads and its error handler, and returns the desktop's
// services, which live until the program ends. The first call does the
// work; later ones return the same services. Main thread, before any other
// thread uses Xlib.
DesktopBackend OpenX11Desktop();

}  // namespace tolm
