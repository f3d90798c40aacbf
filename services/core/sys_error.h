// The texts of the system's error codes (an errno on Linux, a GetLastError
// code on Windows). The description comes from the system
// (services/platform/<system>/sys_error.cpp); the rest is the same
// everywhere.
#pragma once

#include <string>

namespace tolm {

// "ERROR <code>: <the system's text for that code>" (on Windows the text
// ends with a line break), or "ERROR <code>" when the system has no text for it.
std::string SysErrorText(int code);
// The system's text alone, for messages that carry no "ERROR" prefix; empty
// when the system has none.
std::string SysErrorDescription(int code);

}  // namespace tolm
