// The system's text for an errno.
#include <cstring>

#include "services/core/sys_error.h"

namespace tolm {

std::string SysErrorDescription(int code) {
  char buffer[256];
  // The GNU strerror_r returns the text, which may or may not live in buffer.
  const char* text = strerror_r(code, buffer, sizeof buffer);
  return text ? std::string(text) : std::string();
}

}  // namespace tolm
