#include "interp/command_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tolm {
namespace {

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// Reads until the end of the file or an error; false on an error.
bool ReadAll(int fd, std::unique_ptr<char[]>& data, size_t& size, size_t capacity) {
  size = 0;
  for (;;) {
    if (size == capacity) {
      // The file grew since it was measured (or was not measurable): make room.
      size_t bigger = capacity < 65536 ? 65536 : capacity * 2;
      auto grown = std::make_unique_for_overwrite<char[]>(bigger);
      if (size) std::memcpy(grown.get(), data.get(), size);
      data = std::move(grown);
      capacity = bigger;
    }
    ssize_t n = read(fd, data.get() + size, capacity - size);
    if (n == 0) return true;
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    size += static_cast<size_t>(n);
  }
}

}  // namespace

bool FileText::Read(const std::string& fileName) {
  Fd fd(open(fileName.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return false;
  struct stat info;
  if (fstat(fd.get(), &info) != 0 || S_ISDIR(info.st_mode)) return false;
  // One byte more than the size, so that reaching the end needs no regrowing.
  size_t capacity = info.st_size > 0 ? static_cast<size_t>(info.st_size) + 1 : 0;
  data_ = capacity ? std::make_unique_for_overwrite<char[]>(capacity) : nullptr;
  return ReadAll(fd.get(), data_, size_, capacity);
}

std::string OpenFailureMessage(const std::string& fileName) {
  return "Error occurred while opening " + fileName + ":" + "\r\n" + "Cannot open file " + fileName;
}

}  // namespace tolm
