#include "services/linux/linux_platform.h"

#include "services/linux/linux_launcher.h"
#include "services/linux/linux_pump.h"
#include "services/linux/proc_processes.h"

namespace tolm {

void InstallLinuxPlatform() {
  BlockCloseSignals();
  // Function-local statics: created once, alive until the process ends.
  static LinuxPump pump;
  static LinuxLauncher launcher;
  static ProcProcesses processes;
  SetPumpBackend(&pump);
  SetProcessLauncher(&launcher);
  SetSystemProcesses(&processes);
}

}  // namespace tolm
