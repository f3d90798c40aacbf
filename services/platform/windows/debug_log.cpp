// The diagnostic log and the system's error texts on Windows: the log file is
// appended to through Win32, the texts come from FormatMessageA.
#include <windows.h>

#include <string_view>

#include "services/seams/debug_log.h"
#include "services/core/errors.h"
#include "services/platform/windows/win_handle.h"

namespace tolm {

bool DebugLogEnabled = false;
std::string DebugLogPath = kDefaultDebugLogPath;

namespace {

// Appends text to the file at path, creating it when it does not exist.
// Returns 0, or the error code of the step that failed; openFailed tells
// whether opening (rather than writing) failed.
DWORD AppendToFile(const std::string& path, std::string_view text, bool& openFailed) {
  // Others may read, write or delete the file meanwhile: it is complete after each line.
  UniqueHandle file(CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  openFailed = !file.Valid();
  if (openFailed) return GetLastError();
  while (!text.empty()) {
    DWORD written = 0;
    if (!WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr)) return GetLastError();
    if (written == 0) return ERROR_WRITE_FAULT;
    text.remove_prefix(written);
  }
  if (!CloseHandle(file.Release())) return GetLastError();
  return 0;
}

}  // namespace

void DebugLog(const std::string& message) {
  if (!DebugLogEnabled) return;
  bool openFailed = false;
  const DWORD error = AppendToFile(DebugLogPath, message + "\r\n", openFailed);
  if (error == 0) return;
  const std::string reason = SysErrorDescription(static_cast<int>(error));
  if (openFailed) throw Exception("Cannot open file " + DebugLogPath + ": " + reason);
  throw Exception("I/O error writing " + DebugLogPath + ": " + reason);
}

std::string SysErrorDescription(int code) {
  char buffer[256];
  // Neutral language, the system's default; a message with inserts is taken as it stands.
  const DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                 static_cast<DWORD>(code), MAKELANGID(LANG_NEUTRAL, SUBLANG_SYS_DEFAULT), buffer,
                                 sizeof buffer, nullptr);
  return std::string(buffer, n);
}

std::string SysErrorText(int code) {
  std::string description = SysErrorDescription(code);
  std::string result = "ERROR " + std::to_string(code);
  if (!description.empty()) result += ": " + description;
  return result;
}

}  // namespace tolm
