#include "interp/command_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace tolm {

CommandFileSource::~CommandFileSource() { Close(); }

void CommandFileSource::Close() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
}

bool CommandFileSource::Open(const std::string& fileName) {
  Close();
  failed_ = false;
  read_ = 0;
  fd_ = open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) return false;
  struct stat info;
  if (fstat(fd_, &info) != 0 || S_ISDIR(info.st_mode)) {
    Close();
    return false;
  }
  expected_ = S_ISREG(info.st_mode) && info.st_size > 0 ? static_cast<size_t>(info.st_size) : 0;
  return true;
}

size_t CommandFileSource::Read(char* buffer, size_t capacity) {
  while (fd_ >= 0 && capacity != 0) {
    const ssize_t n = read(fd_, buffer, capacity);
    if (n >= 0) {
      read_ += static_cast<size_t>(n);
      return static_cast<size_t>(n);
    }
    if (errno == EINTR) continue;
    failed_ = true;
    Close();
  }
  return 0;
}

size_t CommandFileSource::RemainingHint() const { return expected_ > read_ ? expected_ - read_ : 0; }

std::string OpenFailureMessage(const std::string& fileName) {
  return "Error occurred while opening " + fileName + ":" + "\r\n" + "Cannot open file " + fileName;
}

}  // namespace tolm
