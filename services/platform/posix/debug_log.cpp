// The diagnostic log's file on POSIX systems.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

#include "services/platform/posix/unique_fd.h"
#include "services/seams/debug_log.h"

namespace tolm {
namespace {

// Writes all of text; 0 or the errno of the failure.
int WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = write(fd, text.data(), text.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return EIO;
    text.remove_prefix(static_cast<size_t>(n));
  }
  return 0;
}

}  // namespace

// Without blocking: opening a FIFO that nothing reads fails at once (ENXIO)
// instead of waiting for a reader out of reach of close requests, and a full
// pipe fails the write instead of holding it.
int AppendToLogFile(const std::string& path, const std::string& text, bool& openFailed) {
  UniqueFd file(open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666));
  openFailed = !file.Valid();
  if (openFailed) return errno;
  if (const int error = WriteAll(file.Get(), text)) return error;
  return close(file.Release()) == 0 ? 0 : errno;
}

}  // namespace tolm
