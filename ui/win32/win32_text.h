// Texts between the program and Win32 controls: the program's line breaks
// are "\n" or "\r\n"; multi-line controls need "\r\n".
#pragma once

#include <windows.h>

#include <string>

namespace tolm {

// Every line break as carriage return and line feed.
std::string WithCrLf(const std::string& text);
// The text of a window or control, whole.
std::string WindowText(HWND window);
std::string DialogItemText(HWND dialog, int id);

}  // namespace tolm
