#include "services/platform/linux/linux_platform.h"

#include <signal.h>

#include "services/platform/linux/linux_launcher.h"
#include "services/platform/linux/linux_pump.h"
#include "services/platform/linux/proc_processes.h"

namespace tolm {

void InstallLinuxPump() {
  BlockCloseSignals();
  static LinuxPump pump;  // alive until the process ends
  SetPumpBackend(&pump);
}

void InstallLinuxPlatform() {
  InstallLinuxPump();
  // Whoever started us may have left SIGCHLD ignored, which makes the kernel
  // reap our children at once: their exit statuses would be lost to /wait.
  signal(SIGCHLD, SIG_DFL);
  // Function-local statics: created once, alive until the process ends.
  static LinuxLauncher launcher;
  static ProcProcesses processes;
  SetProcessLauncher(&launcher);
  SetSystemProcesses(&processes);
}

}  // namespace tolm
