#include "services/modules/shared_module.h"

#include <dlfcn.h>
#include <unistd.h>

#include <utility>

#include "services/core/errors.h"

namespace tolm {
namespace {

std::string LastLoaderError() {
  const char* reason = dlerror();
  return reason ? reason : "unknown reason";
}

}  // namespace

SharedModule::~SharedModule() {
  if (handle_) dlclose(handle_);
}

SharedModule::SharedModule(SharedModule&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}

SharedModule& SharedModule::operator=(SharedModule&& other) noexcept {
  if (this != &other) {
    if (handle_) dlclose(handle_);
    handle_ = std::exchange(other.handle_, nullptr);
  }
  return *this;
}

SharedModule SharedModule::Open(const std::string& path) {
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) throw Exception(LastLoaderError());
  return SharedModule(handle);
}

void* SharedModule::Symbol(const char* name) const {
  dlerror();  // clear an earlier failure
  void* address = handle_ ? dlsym(handle_, name) : nullptr;
  if (!address) throw Exception(handle_ ? LastLoaderError() : std::string("no module is loaded"));
  return address;
}

SharedModule OpenProgramModule(const std::string& fileName) {
  std::vector<std::string> paths = ModuleSearchPaths(fileName);
  for (const std::string& path : paths) {
    if (access(path.c_str(), F_OK) == 0) return SharedModule::Open(path);
  }
  throw Exception(NotFoundMessage(fileName, paths));
}

void* OpenProgramModuleEntry(const std::string& fileName, const char* entry) {
  SharedModule module = OpenProgramModule(fileName);
  void* address = module.Symbol(entry);
  static std::vector<SharedModule>* const kept = new std::vector<SharedModule>;
  kept->push_back(std::move(module));
  return address;
}

}  // namespace tolm
