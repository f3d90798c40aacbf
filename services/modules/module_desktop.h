// A desktop module's offer (boundary.h) as the program's desktop: its calls
// behind the seams' interfaces, each failure raised in the program.
#pragma once

#include "services/modules/boundary.h"
#include "services/seams/desktop.h"

namespace tolm {

// The services live until the program ends. A desktop without windows or a
// keyboard (its calls left empty) has none.
DesktopBackend DesktopOf(const DesktopCalls& calls);

}  // namespace tolm
