// tolm32: runs a command file, a single command line, or (with nothing) the
// command file editor. Leading arguments that start with "--" are the
// program's own options: no command line of the language starts that way.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>

#include "interp/check_files.h"
#include "interp/program_entry.h"
#include "interp/program_options.h"
#include "services/seams/app_title.h"
#include "services/modules/desktop_proxies.h"
#include "services/platform/linux/linux_platform.h"
#include "services/seams/program_end.h"
#include "ui/console/console_ui.h"
#include "ui/switch/switching_user_interface.h"
#if TOLM_CONSOLE_PROGRAM
#include "interp/desktop_need.h"
#include "services/core/errors.h"
#include "services/platform/linux/desktop_program.h"
#else
#include "services/modules/desktop_module_loader.h"
#include "services/modules/window_module_loader.h"
#endif

namespace {

const char kUsage[] =
    "Usage: tolm32 [--console] [FILE.tm | COMMAND LINE]\n"
    "       tolm32 --check [--console] FILE...\n"
    "\n"
    "Runs a command file (a name ending in .tm), or one command line given as the\n"
    "arguments. Without arguments it opens the command file editor.\n"
    "\n"
    "Options:\n"
    "  --console   show messages and dialogs as text on the terminal (the default\n"
    "              when no display is named in DISPLAY)\n"
    "  --check     parse the command files and report their errors; run nothing\n"
    "  --help      show this text\n"
    "  --version   show the version\n"
    "\n"
    "Exit status: 0 when the run succeeded, 1 when it failed, 128+N when signal N\n"
    "ended it.\n";

int RunTolm(int argc, char** argv) {
  int exitStatus = 0;
  const std::optional<tolm::ProgramOptions> options = tolm::ReadProgramOptions(argc, argv, kUsage, exitStatus);
  if (!options) return exitStatus;
  const bool wantsWindows = tolm::WantsWindows(options->console || options->check, std::getenv("DISPLAY"));

#if TOLM_CONSOLE_PROGRAM
  // This build is linked statically, for a fast start, and cannot load
  // modules: a run that may show windows or use the desktop is the desktop
  // program's, before anything of it has run. A check needs neither.
  if (!options->check &&
      (wantsWindows || tolm::ArgumentMayNeedDesktop(tolm::ArgumentText(argc, argv, options->first))))
    tolm::ExecDesktopProgram(argv);
  const tolm::SwitchingUserInterface::LoadWindows loadWindows;
#else
  // Windows come from a module loaded on the first call that shows something;
  // a check never shows a window. Never destroyed: the program ends through
  // EndProgram, and the module must outlive every window.
  tolm::SwitchingUserInterface::LoadWindows loadWindows;
  if (wantsWindows) loadWindows = tolm::LoadWindowModule;
#endif
  static tolm::ConsoleUserInterface console;
  static tolm::SwitchingUserInterface ui(console, loadWindows);
  tolm::SetUserInterface(&ui);
  if (argc > 0) tolm::SetApplicationTitle(tolm::TitleWord(argv[0]));

  if (options->check) {
    // A check needs no platform beyond the pump (and no display): it serves
    // close requests while the files are read and parsed.
    tolm::InstallLinuxPump();
    return tolm::CheckCommandFiles(tolm::FileArguments(argc, argv, options->first));
  }

  // Before any thread exists: it blocks the close requests, which every
  // thread then inherits, for the event pump to take.

  tolm::InstallLinuxPlatform();
  // The desktop's module is loaded by the first window, key or show-mode
  // command: runs without one never load its libraries.
#if TOLM_CONSOLE_PROGRAM
  tolm::InstallDesktopProxies([]() -> tolm::DesktopBackend {
    throw tolm::Exception("Cannot load the desktop module: the console program loads no modules");
  });
#else
  tolm::InstallDesktopProxies(tolm::OpenSessionDesktop);
#endif
  return tolm::RunArgumentText(tolm::ArgumentText(argc, argv, options->first));
}

}  // namespace

int main(int argc, char** argv) {
  int status = 1;
  try {
    status = RunTolm(argc, argv);
  } catch (const std::exception& e) {
    // Setting up the platform failed, or a report could not be shown.
    std::fprintf(stderr, "TOLM32: %s\n", e.what());
  }
  // Pending show-mode watchers finish first, so a mode asked for by the last
  // line is still applied.
  tolm::FinishProgram(status);
}
