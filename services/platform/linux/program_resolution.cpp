#include "services/platform/linux/program_resolution.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string_view>

#include "services/seams/environment.h"
#include "services/core/url_form.h"

namespace tolm {
namespace {

bool IsExecutableFile(const std::string& path) {
  struct stat st{};
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

bool Exists(const std::string& path) {
  struct stat st{};
  return stat(path.c_str(), &st) == 0;
}

std::string Absolute(const std::string& path) {
  if (!path.empty() && path.front() == '/') return path;
  const std::string cwd = ProcessCurrentDirectory();
  return cwd.empty() ? path : cwd + "/" + path;
}

}  // namespace

std::string FindOnPath(const std::string& name) {
  const char* pathVariable = std::getenv("PATH");
  std::string_view rest = pathVariable ? pathVariable : "/usr/local/bin:/usr/bin:/bin";
  for (;;) {
    size_t colon = rest.find(':');
    std::string dir(rest.substr(0, colon));
    if (dir.empty()) dir = ".";  // an empty PATH entry means the current directory
    std::string candidate = dir + "/" + name;
    if (IsExecutableFile(candidate)) return Absolute(candidate);
    if (colon == std::string_view::npos) return {};
    rest.remove_prefix(colon + 1);
  }
}

ResolvedProgram ResolveProgram(const std::string& program) {
  if (program.empty()) return {};
  if (program.find('/') == std::string::npos) {
    std::string found = FindOnPath(program);
    if (!found.empty()) return {LaunchKind::Execute, found};
  }
  if (Exists(program)) {
    std::string path = Absolute(program);
    return {IsExecutableFile(path) ? LaunchKind::Execute : LaunchKind::Open, path};
  }
  if (LooksLikeUrl(program)) return {LaunchKind::Open, program};
  return {};
}

}  // namespace tolm
