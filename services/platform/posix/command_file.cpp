#include "services/seams/command_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "services/seams/event_pump.h"

namespace tolm {

void CommandFileSource::Close() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
}

// Opened without blocking: a FIFO would otherwise hold open() until a writer
// comes, out of reach of close requests. Reads wait for it on the pump.
bool CommandFileSource::Open(const std::string& fileName) {
  Reset();
  fd_ = open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd_ < 0) {
    error_ = errno;
    return false;
  }
  struct stat info;
  if (fstat(fd_, &info) != 0) error_ = errno;
  else if (S_ISDIR(info.st_mode)) error_ = EISDIR;
  if (error_ != 0) {
    Close();
    return false;
  }
  regular_ = S_ISREG(info.st_mode);
  expected_ = regular_ && info.st_size > 0 ? static_cast<size_t>(info.st_size) : 0;
  return true;
}

// Close requests are served between pieces, so that a long parse can be
// interrupted; a pipe, FIFO or terminal is waited for on the pump.
size_t CommandFileSource::Read(char* buffer, size_t capacity) {
  ProcessPendingMessages();
  while (fd_ >= 0 && capacity != 0) {
    if (!regular_) PumpWaitReadable(fd_);
    const ssize_t n = read(fd_, buffer, capacity);
    if (n >= 0) {
      read_ += static_cast<size_t>(n);
      return static_cast<size_t>(n);
    }
    if (errno == EINTR || errno == EAGAIN) continue;
    error_ = errno;
    failed_ = true;
    Close();
  }
  return 0;
}

}  // namespace tolm
