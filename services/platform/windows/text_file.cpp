// The file operations of the editor's text files on Windows, through Win32.
// Each file is held as a C runtime descriptor that owns its handle, so the
// classes are the same on both systems; errors are GetLastError codes.
#include <io.h>
#include <windows.h>

#include "ui/core/text_file.h"

namespace tolm {
namespace {

HANDLE HandleOf(int fd) { return reinterpret_cast<HANDLE>(_get_osfhandle(fd)); }

// Takes the handle into a descriptor; -1 (with the error code set) when it cannot.
int AdoptHandle(HANDLE handle, int& error) {
  if (handle == INVALID_HANDLE_VALUE) {
    error = static_cast<int>(GetLastError());
    return -1;
  }
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), 0);
  if (fd < 0) {
    error = ERROR_TOO_MANY_OPEN_FILES;
    CloseHandle(handle);
  }
  return fd;
}

std::string FolderOf(const std::string& path) {
  const size_t separator = path.find_last_of("\\/");
  if (separator == std::string::npos) return ".";
  return path.substr(0, separator + 1);
}

}  // namespace

// --- reading

TextFileReader::TextFileReader(const std::string& name) {
  fd_ = AdoptHandle(CreateFileA(UnquotedFileName(name).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr),
                    openError_);
}

TextFileReader::~TextFileReader() {
  if (fd_ >= 0) _close(fd_);
}

bool TextFileReader::Fill() {
  DWORD got = 0;
  if (!ReadFile(HandleOf(fd_), buffer_, sizeof buffer_, &got, nullptr) || got == 0)
    return false;  // the end, or an error taken as the end
  next_ = 0;
  end_ = got;
  return true;
}

// --- writing

// The temporary file is made by the system with a unique name in the
// target's folder, so the final move stays within one volume.
TextFileWriter::TextFileWriter(const std::string& name) : target_(UnquotedFileName(name)) {
  char path[MAX_PATH];
  if (GetTempFileNameA(FolderOf(target_).c_str(), "tlm", 0, path) == 0) {
    openError_ = static_cast<int>(GetLastError());
    return;
  }
  temporary_ = path;
  fd_ = AdoptHandle(
      CreateFileA(path, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr), openError_);
  if (fd_ < 0) Discard();
}

TextFileWriter::~TextFileWriter() { Discard(); }

void TextFileWriter::Discard() {
  if (fd_ >= 0) _close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) DeleteFileA(temporary_.c_str());
  temporary_.clear();
}

int TextFileWriter::Write(std::string_view data) {
  if (fd_ < 0) return ERROR_INVALID_HANDLE;
  while (!data.empty()) {
    DWORD written = 0;
    if (!WriteFile(HandleOf(fd_), data.data(), static_cast<DWORD>(data.size()), &written, nullptr))
      return static_cast<int>(GetLastError());
    if (written == 0) return ERROR_WRITE_FAULT;
    data.remove_prefix(written);
  }
  return 0;
}

bool TextFileWriter::Commit() {
  if (fd_ < 0) {
    ReportWriteFailure(ERROR_INVALID_HANDLE);
    return false;
  }
  const int error = FlushFileBuffers(HandleOf(fd_)) ? 0 : static_cast<int>(GetLastError());
  _close(fd_);
  fd_ = -1;
  if (error != 0) {
    ReportWriteFailure(error);
    Discard();
    return false;
  }
  if (!MoveFileExA(temporary_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    ReportWriteFailure(static_cast<int>(GetLastError()));
    Discard();
    return false;
  }
  temporary_.clear();
  return true;
}

}  // namespace tolm
