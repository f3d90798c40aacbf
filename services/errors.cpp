#include "services/errors.h"

#include "services/app_title.h"
#include "services/text.h"

namespace tolm {

void RaiseScriptError(const std::string& message) {
  SetApplicationTitle(AfterLastBlank(ApplicationTitle()));
  throw EScriptError(message);
}

std::string InvalidIntegerMessage(const std::string& text) {
  return "'" + text + "' is not a valid integer value";
}

}  // namespace tolm
