#include "services/modules/program_paths.h"

#include <unistd.h>

namespace tolm {
namespace {

// The folder of the running executable, with a trailing "/"; empty when the
// link cannot be read.
std::string ExecutableFolder() {
  std::string path(4096, '\0');
  ssize_t n = readlink("/proc/self/exe", path.data(), path.size());
  if (n <= 0 || static_cast<size_t>(n) >= path.size()) return "";
  path.resize(static_cast<size_t>(n));
  return path.substr(0, path.rfind('/') + 1);
}

}  // namespace

std::vector<std::string> ModuleSearchPaths(const std::string& fileName) {
  std::string folder = ExecutableFolder();
  if (folder.empty()) return {};
  return {folder + fileName, folder + "../lib/tolm/" + fileName};
}

std::string NotFoundMessage(const std::string& fileName, const std::vector<std::string>& paths) {
  std::string folders;
  for (const std::string& path : paths) folders += (folders.empty() ? "" : " nor in ") + path.substr(0, path.rfind('/') + 1);
  return fileName + " is not in " + (folders.empty() ? "the program's folder" : folders);
}

}  // namespace tolm
