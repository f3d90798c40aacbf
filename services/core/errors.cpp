#include "services/core/errors.h"

namespace tolm {

std::string InvalidIntegerMessage(const std::string& text) {
  // Built by appending: GCC 12 warns falsely (-Wrestrict) about "'" + text.
  std::string message(1, '\'');
  message.append(text).append("' is not a valid integer value");
  return message;
}

}  // namespace tolm
