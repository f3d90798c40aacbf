// Reading a command file on Windows. The file is opened through Win32 and
// kept as a C runtime descriptor (which owns the handle), so the class is the
// same on both systems; errors are GetLastError codes.
#include <io.h>
#include <windows.h>

#include "services/seams/command_file.h"
#include "services/seams/event_pump.h"

namespace tolm {

namespace {

HANDLE HandleOf(int fd) { return reinterpret_cast<HANDLE>(_get_osfhandle(fd)); }

}  // namespace

void CommandFileSource::Close() {
  if (fd_ >= 0) _close(fd_);
  fd_ = -1;
}

// Other programs may go on reading, writing, renaming or deleting the file.
// A directory cannot be opened this way: the open fails (access denied).
bool CommandFileSource::Open(const std::string& fileName) {
  Reset();
  HANDLE file = CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    error_ = static_cast<int>(GetLastError());
    return false;
  }
  fd_ = _open_osfhandle(reinterpret_cast<intptr_t>(file), 0);
  if (fd_ < 0) {
    error_ = ERROR_TOO_MANY_OPEN_FILES;
    CloseHandle(file);
    return false;
  }
  regular_ = GetFileType(file) == FILE_TYPE_DISK;
  LARGE_INTEGER size{};
  expected_ = regular_ && GetFileSizeEx(file, &size) && size.QuadPart > 0 ? static_cast<size_t>(size.QuadPart) : 0;
  return true;
}

// Close requests are served between pieces, so that a long parse can be
// interrupted. A pipe is read as it comes; its writer closing it is the end.
size_t CommandFileSource::Read(char* buffer, size_t capacity) {
  ProcessPendingMessages();
  if (fd_ < 0 || capacity == 0) return 0;
  const DWORD want = capacity > MAXDWORD ? MAXDWORD : static_cast<DWORD>(capacity);
  DWORD got = 0;
  if (ReadFile(HandleOf(fd_), buffer, want, &got, nullptr)) {
    read_ += got;
    return got;
  }
  const DWORD error = GetLastError();
  if (error != ERROR_BROKEN_PIPE && error != ERROR_HANDLE_EOF) {
    error_ = static_cast<int>(error);
    failed_ = true;
  }
  Close();
  return 0;
}

}  // namespace tolm
