// The window system, keyboard and show-mode handler the program installs at
// start: stand-ins that open the desktop on the first call that needs it and
// forward to it, so that runs without window or key commands never load a
// desktop's libraries. A desktop that cannot be opened fails that call and
// every later one with the same message.
#pragma once

#include <functional>

#include "services/seams/desktop.h"

namespace tolm {

// Returns the desktop's services, or throws Exception saying why there are none.
using OpenDesktop = std::function<DesktopBackend()>;

// Installs the stand-ins (SetWindowSystem, SetKeyboardSystem,
// SetShowModeHandler); open is called at most once. Main thread only.
void InstallDesktopProxies(OpenDesktop open);

}  // namespace tolm
