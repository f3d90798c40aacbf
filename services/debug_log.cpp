#include "services/debug_log.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "services/errors.h"

namespace tolm {

bool DebugLogEnabled = false;
std::string DebugLogPath = kDefaultDebugLogPath;

void DebugLog(const std::string& message) {
  if (!DebugLogEnabled) return;
  std::FILE* f = std::fopen(DebugLogPath.c_str(), "ab");
  if (!f) throw Exception("Cannot open file " + DebugLogPath + ": " + SysErrorDescription(errno));
  std::string line = message + "\r\n";
  bool ok = std::fwrite(line.data(), 1, line.size(), f) == line.size();
  ok = std::fclose(f) == 0 && ok;
  if (!ok) throw Exception("I/O error writing " + DebugLogPath);
}

std::string SysErrorDescription(int code) {
  char buffer[256];
  // The GNU strerror_r returns the text, which may or may not live in buffer.
  const char* text = strerror_r(code, buffer, sizeof buffer);
  return text ? std::string(text) : std::string();
}

std::string SysErrorText(int code) {
  std::string description = SysErrorDescription(code);
  std::string result = "ERROR " + std::to_string(code);
  if (!description.empty()) result += ": " + description;
  return result;
}

}  // namespace tolm
