// tolm32.exe: runs a command file, a single command line, or (with nothing)
// the command file editor. A Windows GUI program: with --console its text
// goes to the standard output and error it was started with. Leading
// arguments that start with "--" are the program's own options.
#include <cstdio>
#include <exception>
#include <optional>

#include "interp/check_files.h"
#include "interp/program_entry.h"
#include "interp/program_options.h"
#include "services/seams/app_title.h"
#include "services/seams/program_end.h"
#include "services/seams/user_interface.h"
#include "services/platform/windows/win_console.h"
#include "services/platform/windows/win_platform.h"
#include "services/platform/windows/win_taskbar_title.h"
#include "ui/console/console_ui.h"
#include "ui/win32/win32_user_interface.h"

namespace {

const char kUsage[] =
    "Usage: tolm32 [--console] [FILE.tm | COMMAND LINE]\n"
    "       tolm32 --check [--console] FILE...\n"
    "\n"
    "Runs a command file (a name ending in .tm), or one command line given as the\n"
    "arguments. Without arguments it opens the command file editor.\n"
    "\n"
    "Options:\n"
    "  --console   show messages and dialogs as text on the standard output and\n"
    "              error the program was started with (a console or a pipe)\n"
    "  --check     parse the command files and report their errors; run nothing\n"
    "  --help      show this text\n"
    "  --version   show the version\n"
    "\n"
    "Exit status: 0 when the run succeeded, 1 when it failed; a close request\n"
    "ends it with the request's code.\n";

int RunTolm(int argc, char** argv) {
  int exitStatus = 0;
  const std::optional<tolm::ProgramOptions> options = tolm::ReadProgramOptions(argc, argv, kUsage, exitStatus);
  if (!options) return exitStatus;

  static tolm::ConsoleUserInterface consoleUi;
  tolm::SetUserInterface(options->console ? &consoleUi : tolm::WindowsFormsUserInterface());
  if (argc > 0) tolm::SetApplicationTitle(tolm::TitleWord(argv[0]));

  tolm::InstallWindowsPlatform();
  tolm::ShowTitleOnTaskbar();
  if (options->check) return tolm::CheckCommandFiles(tolm::FileArguments(argc, argv, options->first));
  return tolm::RunArgumentText(tolm::ArgumentText(argc, argv, options->first));
}

}  // namespace

int main(int argc, char** argv) {
  // Before anything is printed: a GUI program has no console of its own.
  tolm::ConnectStandardStreams();
  int status = 1;
  try {
    status = RunTolm(argc, argv);
  } catch (const std::exception& e) {
    // Setting up the platform failed, or a report could not be shown.
    std::fprintf(stderr, "TOLM32: %s\n", e.what());
  }
  tolm::FinishProgram(status);
}
