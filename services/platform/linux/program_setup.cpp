// The program put together on Linux: the console or the Qt window module, the
// Linux backends, the session's desktop module.
#include <cstdlib>

#include "interp/program_setup.h"
#include "services/modules/desktop_modules.h"
#include "services/modules/window_module.h"
#include "services/platform/linux/linux_platform.h"
#include "services/seams/desktop.h"
#include "ui/console/console_ui.h"
#include "ui/switch/switching_user_interface.h"

namespace tolm {

void PrepareStandardStreams() {}

// A check never shows a window.
UserInterface& ProgramUserInterface(const ProgramOptions& options) {
  const bool console = options.console || options.check;
  // Never destroyed: the program ends through EndProgram, and the module must
  // outlive every window.
  static ConsoleUserInterface text;
  static SwitchingUserInterface ui(text, WantsWindows(console, std::getenv("DISPLAY"))
                                             ? SwitchingUserInterface::LoadWindows([] { return &LoadWindowModule(); })
                                             : nullptr);
  return ui;
}

void InstallPlatform(bool checkOnly) {
  if (checkOnly) {
    InstallLinuxPump();
    return;
  }
  InstallLinuxPlatform();
  // The desktop's module is loaded by the first window, key or show-mode
  // command: runs without one never load its libraries.
  InstallDesktop(OpenSessionDesktop);
}

}  // namespace tolm
