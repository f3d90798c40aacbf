// The program put together on Windows: the console or the Win32 forms, the
// Windows backends, the task-bar button.
#include "interp/program_setup.h"
#include "services/platform/windows/win_console.h"
#include "services/platform/windows/win_platform.h"
#include "services/platform/windows/win_taskbar_title.h"
#include "ui/console/console_ui.h"
#include "ui/win32/win32_user_interface.h"

namespace tolm {

void PrepareStandardStreams() { ConnectStandardStreams(); }

UserInterface& ProgramUserInterface(const ProgramOptions& options) {
  static ConsoleUserInterface text;
  return options.console ? text : *WindowsFormsUserInterface();
}

// A check installs everything too: the Windows backends cost nothing until used.
void InstallPlatform(bool) {
  InstallWindowsPlatform();
  ShowTitleOnTaskbar();
}

}  // namespace tolm
