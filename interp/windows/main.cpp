// tolm32.exe: runs a command file, a single command line, or (with nothing)
// the command file editor. A Windows GUI program: with --console its text
// goes to the standard output and error it was started with. Leading
// arguments that start with "--" are the program's own options.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "interp/check_files.h"
#include "interp/program_entry.h"
#include "services/app_title.h"
#include "services/program_end.h"
#include "services/text.h"
#include "services/user_interface.h"
#include "services/version.h"
#include "services/windows/win_console.h"
#include "services/windows/win_platform.h"
#include "services/windows/win_taskbar_title.h"
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

bool StartsWithDashes(const char* arg) { return std::strncmp(arg, "--", 2) == 0; }

// The program's own name without directory and extension is the title word.
std::string TitleWord(const char* argv0) {
  std::string name = tolm::StripDirectory(argv0);
  std::string ext = tolm::FileExtension(name);
  return name.substr(0, name.size() - ext.size());
}

int RunTolm(int argc, char** argv) {
  int first = 1;
  bool check = false;
  bool console = false;
  for (; first < argc && StartsWithDashes(argv[first]); ++first) {
    std::string option = argv[first];
    if (option == "--help") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (option == "--version") {
      std::printf("tolm32 %s\n", tolm::kProgramVersion);
      return 0;
    }
    if (option == "--check") {
      check = true;
      continue;
    }
    if (option == "--console") {
      console = true;
      continue;
    }
    std::fprintf(stderr, "tolm32: unknown option %s\n%s", option.c_str(), kUsage);
    return 2;
  }

  static tolm::ConsoleUserInterface consoleUi;
  tolm::SetUserInterface(console ? &consoleUi : tolm::WindowsFormsUserInterface());
  if (argc > 0) tolm::SetApplicationTitle(TitleWord(argv[0]));

  tolm::InstallWindowsPlatform();
  tolm::ShowTitleOnTaskbar();
  if (check) return tolm::CheckCommandFiles(std::vector<std::string>(argv + first, argv + argc));
  // The argument text is rebuilt as the raw command line would have held it.
  std::vector<const char*> words{argv[0]};
  words.insert(words.end(), argv + first, argv + argc);
  std::string tail = tolm::CommandTail(static_cast<int>(words.size()), words.data());
  return tolm::RunArgumentText(tail);
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
