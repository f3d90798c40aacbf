// The diagnostic log's file on Windows, appended to through Win32.
#include <windows.h>

#include <string_view>

#include "services/platform/windows/win_handle.h"
#include "services/seams/debug_log.h"

namespace tolm {

int AppendToLogFile(const std::string& path, const std::string& line, bool& openFailed) {
  // Others may read, write or delete the file meanwhile: it is complete after each line.
  UniqueHandle file(CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  openFailed = !file.Valid();
  if (openFailed) return static_cast<int>(GetLastError());
  std::string_view text = line;
  while (!text.empty()) {
    DWORD written = 0;
    if (!WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr))
      return static_cast<int>(GetLastError());
    if (written == 0) return ERROR_WRITE_FAULT;
    text.remove_prefix(written);
  }
  if (!CloseHandle(file.Release())) return static_cast<int>(GetLastError());
  return 0;
}

}  // namespace tolm
