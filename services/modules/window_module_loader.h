// Loading the window module (window_module.h) from beside the executable or
// the installation's lib/tolm folder.
#pragma once

#include "services/seams/user_interface.h"

namespace tolm {

// Opens the module and its entry and returns the windowed interface. The
// module stays loaded until the process ends. Throws Exception with the
// reason (not found, not loadable, no display) when it cannot.
UserInterface* LoadWindowModule();

}  // namespace tolm
