// tolm_wayland_run: runs a command file (or a command line) through the
// interpreter like tolm32 --console, with the Wayland desktop installed, so
// the Wayland tests drive the real interpreter on the Wayland backend.
//
//   tolm_wayland_run FILE.tm | COMMAND LINE
//
// Exit status as tolm32's; 3 when there is no usable compositor (the reason
// on stderr).
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "interp/program_entry.h"
#include "services/app_title.h"
#include "services/desktop_backend.h"
#include "services/keys.h"
#include "services/linux/linux_platform.h"
#include "services/program_end.h"
#include "services/show_mode.h"
#include "services/text.h"
#include "services/wayland/wayland_platform.h"
#include "services/windows.h"
#include "ui/console/console_ui.h"

namespace {

int Run(int argc, char** argv) {
  static tolm::ConsoleUserInterface console;
  tolm::SetUserInterface(&console);
  tolm::SetApplicationTitle("tolm32");
  tolm::InstallLinuxPlatform();
  tolm::DesktopBackend desktop;
  std::string reason;
  if (!tolm::OpenWaylandDesktop(desktop, reason)) {
    std::fprintf(stderr, "tolm_wayland_run: no Wayland desktop: %s\n", reason.c_str());
    return 3;
  }
  tolm::SetWindowSystem(desktop.windows);
  tolm::SetKeyboardSystem(desktop.keyboard);
  tolm::SetShowModeHandler(desktop.showMode);
  std::vector<const char*> words(argv, argv + argc);
  return tolm::RunArgumentText(tolm::CommandTail(static_cast<int>(words.size()), words.data()));
}

}  // namespace

int main(int argc, char** argv) {
  int status = 1;
  try {
    status = Run(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "TOLM32: %s\n", e.what());
  }
  tolm::FinishProgram(status);
}
