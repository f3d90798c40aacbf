// The program's own options, read from the leading arguments that start with
// "--" (no command line of the language starts that way), and what the
// program does with the rest. Shared by the entry points of every platform;
// each supplies its usage text.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace tolm {

struct ProgramOptions {
  bool check = false;    // --check: parse the files, run nothing
  bool console = false;  // --console: text instead of windows
  // --wait-timeout SECONDS: the time limit of every wait; none by default.
  std::optional<std::chrono::milliseconds> waitTimeout;
  int first = 1;         // index of the first argument that is not an option
};

// Reads the options and puts the wait limit in force (wait_limit.h). --help
// and --version print their text, an unknown option prints the usage to the
// standard error, a bad option value one line saying what it takes; then the
// program ends with the returned status (0, or 2 for an unknown option or a
// bad value).
std::optional<ProgramOptions> ReadProgramOptions(int argc, char** argv, const char* usage, int& exitStatus);

// The value of --wait-timeout: a whole number of seconds, or one with up to
// three decimals, greater than 0 and below 10^9 ("30", "2.5", "0.25").
std::optional<std::chrono::milliseconds> ParseWaitTimeout(const std::string& text);

// The program's own name without directory and extension: the title word.
std::string TitleWord(const char* argv0);

// The command line after the options, rebuilt as the raw command line would
// have held it.
std::string ArgumentText(int argc, char** argv, int first);

// The files named after the options (--check).
std::vector<std::string> FileArguments(int argc, char** argv, int first);

}  // namespace tolm
