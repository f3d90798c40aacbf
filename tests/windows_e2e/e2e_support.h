// Shared helpers of the end-to-end runs of tolm32.exe --console under Wine.
#pragma once

#include <algorithm>
#include <string>

#include "support/run_tolm.h"

namespace tolm::e2e {

// A path with backslashes, as a user writes it in a command file.
inline std::string WindowsPath(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

// The helper program, quoted, as a program line names it.
inline std::string Helper() { return "\"" + WindowsPath(TOLM_WINHELPER) + "\""; }

// The console's text streams end lines with CR LF on Windows; the texts
// compared are the lines.
inline std::string WithoutCr(std::string text) {
  std::erase(text, '\r');
  return text;
}

// Writes the command file script.tm into dir and runs it there.
inline testing::RunResult RunScript(const testing::TempDir& dir, const std::string& text) {
  testing::RunResult r = testing::RunTolm({"--console", dir.Write("script.tm", text)}, dir.path());
  r.out = WithoutCr(r.out);
  r.err = WithoutCr(r.err);
  return r;
}

}  // namespace tolm::e2e
