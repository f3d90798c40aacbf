// Shared helpers of the Windows backend tests: the helper program, waiting
// for a condition, and ending the program as an exception.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>

#include "services/seams/program_end.h"

namespace tolm::wintest {

// The helper program's path with backslashes, as a user would write it.
inline std::string HelperPath() {
  std::string path = TOLM_WINHELPER;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

// Checks condition until it holds or timeoutMs passed; the checks are 20 ms
// apart (the things waited for, windows of other programs, send no event).
inline bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 10000) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    Sleep(20);
  }
  return true;
}

// What EndProgram was asked for, thrown instead of ending the test program.
struct ProgramEnded {
  int exitCode;
};

class InterceptEnd {
 public:
  InterceptEnd() {
    InterceptProgramEnd([](int code) { throw ProgramEnded{code}; });
  }
  ~InterceptEnd() { InterceptProgramEnd(nullptr); }
  InterceptEnd(const InterceptEnd&) = delete;
  InterceptEnd& operator=(const InterceptEnd&) = delete;
};

}  // namespace tolm::wintest
