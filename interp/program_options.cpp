#include "interp/program_options.h"

#include <cstdio>
#include <cstring>

#include "services/core/text.h"
#include "services/core/version.h"
#include "services/seams/wait_limit.h"

namespace tolm {

namespace {

constexpr const char kWaitTimeoutOption[] = "--wait-timeout";

// Reads the value of --wait-timeout, given as the next argument or after "=";
// on a bad or missing value prints why and gives nullopt.
std::optional<std::chrono::milliseconds> ReadWaitTimeout(int argc, char** argv, int& index) {
  const std::string option = argv[index];
  std::optional<std::string> value;
  if (option.size() > sizeof kWaitTimeoutOption - 1) {
    value = option.substr(sizeof kWaitTimeoutOption);
  } else if (index + 1 < argc) {
    value = argv[++index];
  }
  if (!value) {
    std::fprintf(stderr, "tolm32: --wait-timeout needs a number of seconds, such as 30 or 2.5\n");
    return std::nullopt;
  }
  std::optional<std::chrono::milliseconds> limit = ParseWaitTimeout(*value);
  if (!limit)
    std::fprintf(stderr,
                 "tolm32: --wait-timeout \"%s\": not a number of seconds greater than 0 with at most 3 decimals, "
                 "such as 30 or 2.5\n",
                 value->c_str());
  return limit;
}

}  // namespace

std::optional<std::chrono::milliseconds> ParseWaitTimeout(const std::string& text) {
  constexpr size_t kMaxWholeDigits = 9;  // below 10^9 seconds, about 31 years
  constexpr size_t kMaxDecimals = 3;     // milliseconds
  const size_t point = text.find('.');
  const std::string whole = text.substr(0, point);
  const std::string decimals = point == std::string::npos ? "" : text.substr(point + 1);
  auto allDigits = [](const std::string& s) { return s.find_first_not_of("0123456789") == std::string::npos; };
  if (whole.empty() || whole.size() > kMaxWholeDigits || !allDigits(whole)) return std::nullopt;
  if (point != std::string::npos && (decimals.empty() || decimals.size() > kMaxDecimals || !allDigits(decimals)))
    return std::nullopt;
  long long ms = std::stoll(whole) * 1000;
  if (!decimals.empty()) ms += std::stoll((decimals + "00").substr(0, kMaxDecimals));
  if (ms == 0) return std::nullopt;
  return std::chrono::milliseconds(ms);
}

std::optional<ProgramOptions> ReadProgramOptions(int argc, char** argv, const char* usage, int& exitStatus) {
  ProgramOptions options;
  for (; options.first < argc && std::strncmp(argv[options.first], "--", 2) == 0; ++options.first) {
    const std::string option = argv[options.first];
    if (option == kWaitTimeoutOption || option.rfind(std::string(kWaitTimeoutOption) + "=", 0) == 0) {
      options.waitTimeout = ReadWaitTimeout(argc, argv, options.first);
      if (!options.waitTimeout) {
        exitStatus = 2;
        return std::nullopt;
      }
    } else if (option == "--check") {
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
  SetWaitTimeout(options.waitTimeout);
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
