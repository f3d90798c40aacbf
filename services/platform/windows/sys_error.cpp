// The system's text for a GetLastError code, from FormatMessageA.
#include <windows.h>

#include "services/core/sys_error.h"

namespace tolm {

std::string SysErrorDescription(int code) {
  char buffer[256];
  // Neutral language, the system's default; a message with inserts is taken as it stands.
  const DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                 static_cast<DWORD>(code), MAKELANGID(LANG_NEUTRAL, SUBLANG_SYS_DEFAULT), buffer,
                                 sizeof buffer, nullptr);
  return std::string(buffer, n);
}

}  // namespace tolm
