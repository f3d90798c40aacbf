// The diagnostic log: one line per event appended to a text file, switched on
// by "/set debug". The file is opened and closed for every line, so it is
// complete at any moment.
#pragma once

#include <string>

#include "services/core/sys_error.h"

namespace tolm {

#ifdef _WIN32
inline constexpr const char* kDefaultDebugLogPath = "c:\\tmp\\tolmdebug.log";
#else
inline constexpr const char* kDefaultDebugLogPath = "/tmp/tolmdebug.log";
#endif

extern bool DebugLogEnabled;
extern std::string DebugLogPath;

// Appends message + CR LF when the log is on. A file that can be neither
// appended to nor created raises Exception with the system's reason.
void DebugLog(const std::string& message);

// The system's side (services/platform/<system>/debug_log.cpp): appends text
// to the file at path, creating it when it is not there. Returns 0, or the
// system's error code of the step that failed; openFailed tells whether
// opening (rather than writing or closing) failed.
int AppendToLogFile(const std::string& path, const std::string& text, bool& openFailed);

}  // namespace tolm
