#include "services/platform/windows/win_platform.h"

#include <objbase.h>

#include "services/seams/desktop.h"
#include "services/platform/windows/win_keyboard.h"
#include "services/platform/windows/win_launcher.h"
#include "services/platform/windows/win_processes.h"
#include "services/platform/windows/win_pump.h"
#include "services/platform/windows/win_windows.h"

namespace tolm {

void InstallWindowsPlatform() {
  // The shell may hand a start to COM components (file associations, links).
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  // Function-local statics: created once, alive until the process ends.
  static WinPump pump;
  static WinLauncher launcher;
  static WinProcesses processes(IsWindowsNT() ? ProcessListing::ProcessStatus : ProcessListing::ToolHelp);
  static WinWindowSystem windows;
  static WinKeyboard keyboard;
  SetPumpBackend(&pump);
  SetProcessLauncher(&launcher);
  SetSystemProcesses(&processes);
  // No show-mode handler: the shell applies the mode as it starts the program.
  InstallDesktop(DesktopBackend{&windows, &keyboard, {}});
}

}  // namespace tolm
