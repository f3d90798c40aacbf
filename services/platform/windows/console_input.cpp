// Console answers on Windows: standard input is read through Win32. A console
// delivers a line once Enter is pressed; Ctrl+C meanwhile is a close request
// (see services/platform/windows/win_close_requests.h).
#include <windows.h>

#include "services/seams/console_input.h"

namespace tolm {

bool StandardInputIsTerminal() { return GetFileType(GetStdHandle(STD_INPUT_HANDLE)) == FILE_TYPE_CHAR; }

bool ReadAnswerLine(std::string& line) {
  line.clear();
  const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  for (;;) {
    char c;
    DWORD got = 0;
    if (!ReadFile(input, &c, 1, &got, nullptr) || got == 0) return !line.empty();
    if (c == '\n') return true;
    if (c != '\r') line += c;
  }
}

}  // namespace tolm
