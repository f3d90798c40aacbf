#include "services/core/errors.h"

#include "services/seams/app_title.h"
#include "services/core/text.h"

namespace tolm {

void RaiseScriptError(const std::string& message) {
  SetApplicationTitle(AfterLastBlank(ApplicationTitle()));
  throw EScriptError(message);
}

std::string InvalidIntegerMessage(const std::string& text) {
  // Built by appending: GCC 12 warns falsely (-Wrestrict) about "'" + text.
  std::string message(1, '\'');
  message.append(text).append("' is not a valid integer value");
  return message;
}

}  // namespace tolm
