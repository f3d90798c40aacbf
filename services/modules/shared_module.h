// A shared library opened at run time (dlopen), closed when its handle goes.
// The program loads optional parts this way on first use, so that runs that
// never need them never pay for loading them.
#pragma once

#include <string>
#include <vector>

#include "services/modules/program_paths.h"

namespace tolm {

class SharedModule {
 public:
  SharedModule() = default;
  ~SharedModule();
  SharedModule(SharedModule&& other) noexcept;
  SharedModule& operator=(SharedModule&& other) noexcept;
  SharedModule(const SharedModule&) = delete;
  SharedModule& operator=(const SharedModule&) = delete;

  // Opens the library at path with every symbol bound at once and none made
  // visible to later loads (RTLD_NOW | RTLD_LOCAL). Throws Exception with the
  // loader's reason when it cannot be opened.
  static SharedModule Open(const std::string& path);

  bool Loaded() const { return handle_ != nullptr; }
  // The address of an exported symbol; throws Exception when there is none.
  void* Symbol(const char* name) const;

 private:
  explicit SharedModule(void* handle) : handle_(handle) {}
  void* handle_ = nullptr;
};

// Opens the first of ModuleSearchPaths(fileName) that exists. Throws
// Exception when none does, or when the one found cannot be opened.
SharedModule OpenProgramModule(const std::string& fileName);

// The one way the program loads its modules (the window module, the desktop
// modules): opens fileName with OpenProgramModule and returns the address of
// its entry. The module then stays loaded until the process ends, never
// closed, not even by exit(): its threads and exit handlers run from its
// code. Throws Exception with the reason (not found, not loadable, no entry).
void* OpenProgramModuleEntry(const std::string& fileName, const char* entry);

}  // namespace tolm
