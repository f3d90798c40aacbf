// The window module's offer (boundary.h) as the program's user interface:
// its calls behind the UserInterface seam, each failure raised in the program.
#pragma once

#include <memory>

#include "services/modules/boundary.h"
#include "services/seams/user_interface.h"

namespace tolm {

std::unique_ptr<UserInterface> UserInterfaceOf(const WindowCalls& calls);

}  // namespace tolm
