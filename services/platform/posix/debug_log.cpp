#include "services/seams/debug_log.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>
#include <utility>

#include "services/core/errors.h"

namespace tolm {

bool DebugLogEnabled = false;
std::string DebugLogPath = kDefaultDebugLogPath;

namespace {

// The log file for one line, closed when it goes.
class LogFile {
 public:
  // Without blocking: opening a FIFO that nothing reads fails at once
  // (ENXIO) instead of waiting for a reader out of reach of close requests,
  // and a full pipe fails the write instead of holding it.
  explicit LogFile(const std::string& path)
      : fd_(open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666)) {}
  ~LogFile() {
    if (fd_ >= 0) close(fd_);
  }
  LogFile(const LogFile&) = delete;
  LogFile& operator=(const LogFile&) = delete;

  bool IsOpen() const { return fd_ >= 0; }
  // Writes all of text; false (errno set) when that fails.
  bool Write(std::string_view text) {
    while (!text.empty()) {
      const ssize_t n = write(fd_, text.data(), text.size());
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      text.remove_prefix(static_cast<size_t>(n));
    }
    return true;
  }
  // Closes the file; false (errno set) when that fails.
  bool Close() { return close(std::exchange(fd_, -1)) == 0; }

 private:
  int fd_;
};

}  // namespace

void DebugLog(const std::string& message) {
  if (!DebugLogEnabled) return;
  LogFile log(DebugLogPath);
  if (!log.IsOpen()) throw Exception("Cannot open file " + DebugLogPath + ": " + SysErrorDescription(errno));
  if (!log.Write(message + "\r\n") || !log.Close())
    throw Exception("I/O error writing " + DebugLogPath + ": " + SysErrorDescription(errno));
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
