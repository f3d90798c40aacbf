// The environment and the current directory through Win32.
#include "services/seams/environment.h"

#include <windows.h>

#include <cstdlib>
#include <vector>

// <windows.h> maps the name to its ANSI function; ours is meant here.
#undef SetEnvironmentVariable

namespace tolm {

int SetEnvironmentVariable(const std::string& name, const std::string& value) {
  if (name.empty() || name.find('=') != std::string::npos) return ERROR_INVALID_PARAMETER;
  // The C library keeps a copy of the environment, which getenv reads (env()
  // in expressions does): it is set first, as it passes an empty value on as
  // a removal. Started programs inherit the Win32 environment, set last.
  if (_putenv_s(name.c_str(), value.c_str()) != 0) return ERROR_INVALID_PARAMETER;
  if (!::SetEnvironmentVariableA(name.c_str(), value.c_str())) return static_cast<int>(GetLastError());
  return 0;
}

std::string ProcessCurrentDirectory() {
  // The size asked for includes the terminating zero; the result excludes it.
  const DWORD size = GetCurrentDirectoryA(0, nullptr);
  if (size == 0) return std::string();
  std::vector<char> buffer(size);
  const DWORD length = GetCurrentDirectoryA(size, buffer.data());
  if (length == 0 || length >= size) return std::string();
  return std::string(buffer.data(), length);
}

int ChangeCurrentDirectory(const std::string& directory) {
  if (SetCurrentDirectoryA(directory.c_str())) return 0;
  return static_cast<int>(GetLastError());
}

}  // namespace tolm
