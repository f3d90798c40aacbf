// Installs the Linux backends: the process launcher, /proc processes and the
// event pump. main() calls BlockCloseSignals() first (close_signals.h), then
// InstallLinuxPlatform() once.
#pragma once

#include "services/linux/close_signals.h"

namespace tolm {

// Idempotent. Blocks the close requests in the calling thread as well, in
// case main() has not done it yet, and restores SIGCHLD's default so that
// children's statuses are kept for us. Throws Exception when the pump cannot be set up.
void InstallLinuxPlatform();

}  // namespace tolm
