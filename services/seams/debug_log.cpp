#include "services/seams/debug_log.h"

#include "services/core/errors.h"

namespace tolm {

bool DebugLogEnabled = false;
std::string DebugLogPath = kDefaultDebugLogPath;

void DebugLog(const std::string& message) {
  if (!DebugLogEnabled) return;
  bool openFailed = false;
  const int error = AppendToLogFile(DebugLogPath, message + "\r\n", openFailed);
  if (error == 0) return;
  const std::string reason = SysErrorDescription(error);
  if (openFailed) throw Exception("Cannot open file " + DebugLogPath + ": " + reason);
  throw Exception("I/O error writing " + DebugLogPath + ": " + reason);
}

}  // namespace tolm
