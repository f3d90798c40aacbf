// The window module's offer (boundary.h) as the program's user interface:
// its calls behind the UserInterface seam, each failure raised in the program.
#pragma once

#include "services/modules/boundary.h"
#include "services/seams/user_interface.h"

namespace tolm {

// Lives until the program ends.
UserInterface& UserInterfaceOf(const WindowCalls& calls);

}  // namespace tolm
