// Installs the Linux backends: the process launcher, /proc processes and the
// event pump. main() calls InstallLinuxPlatform() before any thread starts.
#pragma once

#include "services/platform/linux/close_signals.h"

namespace tolm {

// Only the event pump, for runs that need nothing else (--check): blocks the
// close requests as below and installs the pump that reads them.
void InstallLinuxPump();

// Idempotent. Blocks the close requests in the calling thread, so that every
// thread started later inherits the mask and only the pump's signalfd takes
// them (this is the one place they are blocked), and restores SIGCHLD's
// default so that children's statuses are kept for us. Throws Exception when
// the mask or the pump cannot be set up.
void InstallLinuxPlatform();

}  // namespace tolm
