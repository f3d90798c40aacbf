// The file operations of the editor's text files on POSIX systems.
#include "ui/core/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace tolm {
namespace {

// A save through a symbolic link replaces the file the link points to, and
// the link stays.
std::string ResolvedTarget(const std::string& name) {
  struct stat st {};
  if (lstat(name.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return name;
  char resolved[PATH_MAX];
  return realpath(name.c_str(), resolved) != nullptr ? std::string(resolved) : name;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The permissions the saved file gets: the old file's, or those a new file
// would get from the process's file-creation mask.
mode_t TargetMode(const std::string& target) {
  struct stat st {};
  if (stat(target.c_str(), &st) == 0) return st.st_mode & 07777;
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// write() until everything is written; false with errno set on failure.
bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

// --- reading

TextFileReader::TextFileReader(const std::string& name) {
  fd_ = open(UnquotedFileName(name).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) openError_ = errno;
}

TextFileReader::~TextFileReader() {
  if (fd_ >= 0) close(fd_);
}

bool TextFileReader::Fill() {
  for (;;) {
    const ssize_t n = read(fd_, buffer_, sizeof buffer_);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;  // the end, or an error taken as the end
    next_ = 0;
    end_ = static_cast<size_t>(n);
    return true;
  }
}

// --- writing

TextFileWriter::TextFileWriter(const std::string& name) : target_(ResolvedTarget(UnquotedFileName(name))) {
  std::string pattern = FolderOf(target_) + "/." + BaseNameOf(target_) + ".XXXXXX";
  std::vector<char> path(pattern.begin(), pattern.end());
  path.push_back('\0');
  fd_ = mkostemp(path.data(), O_CLOEXEC);
  if (fd_ < 0) {
    openError_ = errno;
    return;
  }
  temporary_ = path.data();
  if (fchmod(fd_, TargetMode(target_)) != 0) {
    openError_ = errno;
    Discard();
  }
}

TextFileWriter::~TextFileWriter() { Discard(); }

void TextFileWriter::Discard() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) unlink(temporary_.c_str());
  temporary_.clear();
}

int TextFileWriter::Write(std::string_view data) {
  if (fd_ < 0) return EBADF;
  return WriteAll(fd_, data.data(), data.size()) ? 0 : errno;
}

bool TextFileWriter::Commit() {
  if (fd_ < 0) {
    ReportWriteFailure(EBADF);
    return false;
  }
  int error = fsync(fd_) != 0 ? errno : 0;
  if (close(fd_) != 0 && error == 0) error = errno;
  fd_ = -1;
  if (error != 0) {
    ReportWriteFailure(error);
    Discard();
    return false;
  }
  if (rename(temporary_.c_str(), target_.c_str()) != 0) {
    ReportWriteFailure(errno);
    Discard();
    return false;
  }
  temporary_.clear();
  return true;
}

}  // namespace tolm
