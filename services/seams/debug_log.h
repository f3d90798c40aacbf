// The diagnostic log: one line per event appended to a text file, switched on
// by "/set debug". The file is opened and closed for every line, so it is
// complete at any moment.
#pragma once

#include <string>

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

// "ERROR <code>: <the system's text for that code>" (an errno; on Windows a
// GetLastError code, whose text ends with a line break), or "ERROR <code>"
// when the system has no text for it.
std::string SysErrorText(int code);
// The system's text alone, for messages that carry no "ERROR" prefix.
std::string SysErrorDescription(int code);

}  // namespace tolm
