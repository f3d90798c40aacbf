// setenv and unsetenv, which the shared tests call, over the C runtime of
// Windows (which has neither). Included into every file of the Windows test
// programs.
#pragma once

#ifdef __cplusplus
#include <cstdlib>

inline int setenv(const char* name, const char* value, int overwrite) {
  if (!overwrite && std::getenv(name) != nullptr) return 0;
  return _putenv_s(name, value) == 0 ? 0 : -1;
}

inline int unsetenv(const char* name) { return _putenv_s(name, "") == 0 ? 0 : -1; }
#endif
