#include "services/core/sys_error.h"

namespace tolm {

std::string SysErrorText(int code) {
  std::string description = SysErrorDescription(code);
  std::string result = "ERROR " + std::to_string(code);
  if (!description.empty()) result += ": " + description;
  return result;
}

}  // namespace tolm
