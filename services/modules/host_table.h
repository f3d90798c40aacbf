// The program's side of the module boundary (boundary.h): its services as
// the host table every module gets at its entry.
#pragma once

#include "services/modules/boundary.h"

namespace tolm {

// Lives until the program ends.
const HostTable& ProgramHostTable();

}  // namespace tolm
