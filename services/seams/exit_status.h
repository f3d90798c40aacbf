// The exit status of the last program waited for, read by errorlevel().
#pragma once

#include <cstdint>

namespace tolm {

extern uint32_t LastExitCode;

}  // namespace tolm
