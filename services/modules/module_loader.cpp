#include "services/modules/module_loader.h"

#include <dlfcn.h>
#include <unistd.h>

#include "services/modules/host_table.h"

#ifndef TOLM_MODULE_FOLDER
#define TOLM_MODULE_FOLDER "../lib/tolm/"
#endif

namespace tolm {
namespace {

// The installation's module folder, relative to the executable's folder.
constexpr const char* kModuleFolder = TOLM_MODULE_FOLDER;

// The folder of the running executable, with a trailing "/"; empty when the
// link cannot be read.
std::string ExecutableFolder() {
  std::string path(4096, '\0');
  ssize_t n = readlink("/proc/self/exe", path.data(), path.size());
  if (n <= 0 || static_cast<size_t>(n) >= path.size()) return "";
  path.resize(static_cast<size_t>(n));
  return path.substr(0, path.rfind('/') + 1);
}

std::string LoaderError() {
  const char* reason = dlerror();
  return reason ? reason : "unknown reason";
}

// Opens the library with every symbol bound at once and none made visible to
// later loads; nullptr with the loader's reason.
void* OpenLibrary(const std::string& fileName, std::string& why) {
  const std::vector<std::string> paths = ModuleSearchPaths(fileName);
  for (const std::string& path : paths) {
    if (access(path.c_str(), F_OK) != 0) continue;
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) why = LoaderError();
    return handle;
  }
  why = NotFoundMessage(fileName, paths);
  return nullptr;
}

}  // namespace

std::vector<std::string> ModuleSearchPaths(const std::string& fileName) {
  std::string folder = ExecutableFolder();
  if (folder.empty()) return {};
  return {folder + fileName, folder + kModuleFolder + fileName};
}

std::string NotFoundMessage(const std::string& fileName, const std::vector<std::string>& paths) {
  std::string folders;
  for (const std::string& path : paths) folders += (folders.empty() ? "" : " nor in ") + path.substr(0, path.rfind('/') + 1);
  return fileName + " is not in " + (folders.empty() ? "the program's folder" : folders);
}

bool LoadModule(const std::string& fileName, ModuleOffer& offer, std::string& why) {
  void* handle = OpenLibrary(fileName, why);
  if (handle == nullptr) return false;
  dlerror();  // clear an earlier failure
  auto entry = reinterpret_cast<ModuleEntry>(dlsym(handle, kModuleEntry));
  if (entry == nullptr) {
    why = LoaderError();
    return false;
  }
  Failure declined;
  if (entry(&ProgramHostTable(), &offer, &declined)) return true;
  why = declined.empty() ? fileName + " did not start" : declined;
  return false;
}

}  // namespace tolm
