#include "interp/program_options.h"

#include <cstdio>
#include <cstring>

#include "services/core/text.h"
#include "services/core/version.h"

namespace tolm {

std::optional<ProgramOptions> ReadProgramOptions(int argc, char** argv, const char* usage, int& exitStatus) {
  ProgramOptions options;
  for (; options.first < argc && std::strncmp(argv[options.first], "--", 2) == 0; ++options.first) {
    const std::string option = argv[options.first];
    if (option == "--check") {
      options.check = true;
    } else if (option == "--console") {
      options.console = true;
    } else if (option == "--help") {
      std::fputs(usage, stdout);
      exitStatus = 0;
      return std::nullopt;
    } else if (option == "--version") {
      std::printf("tolm32 %s\n", kProgramVersion);
      exitStatus = 0;
      return std::nullopt;
    } else {
      std::fprintf(stderr, "tolm32: unknown option %s\n%s", option.c_str(), usage);
      exitStatus = 2;
      return std::nullopt;
    }
  }
  return options;
}

std::string TitleWord(const char* argv0) {
  std::string name = StripDirectory(argv0);
  std::string ext = FileExtension(name);
  return name.substr(0, name.size() - ext.size());
}

std::string ArgumentText(int argc, char** argv, int first) {
  std::vector<const char*> words{argv[0]};
  words.insert(words.end(), argv + first, argv + argc);
  return CommandTail(static_cast<int>(words.size()), words.data());
}

std::vector<std::string> FileArguments(int argc, char** argv, int first) {
  return std::vector<std::string>(argv + first, argv + argc);
}

}  // namespace tolm
