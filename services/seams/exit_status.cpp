#include "services/seams/exit_status.h"

namespace tolm {

uint32_t LastExitCode = 0;

}  // namespace tolm
