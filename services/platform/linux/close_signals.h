// The close requests: SIGTERM, SIGINT and SIGHUP. They are blocked in every
// thread and read from a signalfd by the event pump, which ends the program
// with exit status 128 + the signal number.
#pragma once

#include <signal.h>

namespace tolm {

// The set of close-request signals.
sigset_t CloseSignals();

// Blocks the close requests in the calling thread; threads started later
// inherit the mask. InstallLinuxPlatform() calls it, before any thread
// starts. Throws Exception when the mask cannot be changed.
void BlockCloseSignals();

}  // namespace tolm
