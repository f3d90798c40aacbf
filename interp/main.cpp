// tolm32: runs a command file, a single command line, or (with nothing) the
// command file editor. Leading arguments that start with "--" are the
// program's own options: no command line of the language starts that way.
// What differs between systems is put together in interp/program_setup.h.
#include <cstdio>
#include <exception>
#include <optional>

#include "interp/check_files.h"
#include "interp/program_entry.h"
#include "interp/program_options.h"
#include "interp/program_setup.h"
#include "services/seams/app_title.h"
#include "services/seams/program_end.h"

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
    "              error instead of windows (the default on Linux when no display\n"
    "              is named in DISPLAY)\n"
    "  --check     parse the command files and report their errors; run nothing\n"
    "  --help      show this text\n"
    "  --version   show the version\n"
    "\n"
    "Exit status: 0 when the run succeeded, 1 when it failed; a close request ends\n"
    "it at once (on Linux with 128+N for signal N, on Windows with the request's\n"
    "code).\n";

int RunTolm(int argc, char** argv) {
  int exitStatus = 0;
  const std::optional<tolm::ProgramOptions> options = tolm::ReadProgramOptions(argc, argv, kUsage, exitStatus);
  if (!options) return exitStatus;
  tolm::SetUserInterface(&tolm::ProgramUserInterface(*options));
  if (argc > 0) tolm::SetApplicationTitle(tolm::TitleWord(argv[0]));

  // Before any thread exists: on Linux it blocks the close requests, which
  // every thread then inherits, for the event pump to take.
  tolm::InstallPlatform(options->check);
  if (options->check) return tolm::CheckCommandFiles(tolm::FileArguments(argc, argv, options->first));
  return tolm::RunArgumentText(tolm::ArgumentText(argc, argv, options->first));
}

}  // namespace

int main(int argc, char** argv) {
  tolm::PrepareStandardStreams();
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
