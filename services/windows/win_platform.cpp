#include "services/windows/win_platform.h"

#include "services/windows/win_pump.h"

namespace tolm {

void InstallWindowsPlatform() {
  // Function-local statics: created once, alive until the process ends.
  static WinPump pump;
  SetPumpBackend(&pump);
}

}  // namespace tolm
