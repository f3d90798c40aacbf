#include "interp/desktop_need.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>

#include "interp/program_entry.h"
#include "services/core/text.h"

namespace tolm {
namespace {

// The commands and program options whose work is done by the desktop
// module or the window module.
constexpr std::array<std::string_view, 13> kDesktopWords = {
    "activate", "close", "killwindow", "waitfor", "waitclose", "wlist", "sendkeys",  // windows and keys
    "edit",                                                                         // the editor
    "h", "hide", "min", "max", "noactivate",                                        // show modes
};
constexpr size_t kLongestDesktopWord = 10;

// ASCII letters and digits, the characters a command word is made of. Plain
// comparisons: the scan runs over whole command files before they run.
bool IsWordCharacter(char c) {
  const char lower = static_cast<char>(c | 0x20);
  return (lower >= 'a' && lower <= 'z') || (c >= '0' && c <= '9');
}

// The word after the "/" at slash, lowered, when it is one of kDesktopWords.
bool DesktopWordAt(std::string_view text, size_t slash) {
  if (slash > 0 && IsWordCharacter(text[slash - 1])) return false;  // inside a path: "usr/max"
  char lowered[kLongestDesktopWord];
  size_t length = 0;
  for (size_t at = slash + 1; at < text.size() && IsWordCharacter(text[at]); ++at) {
    if (length == kLongestDesktopWord) return false;
    lowered[length++] = static_cast<char>(text[at] | 0x20);  // digits never match, lowered or not
  }
  const std::string_view word(lowered, length);
  return std::find(kDesktopWords.begin(), kDesktopWords.end(), word) != kDesktopWords.end();
}

// The contents of a regular file, mapped for the scan; an empty view when
// the file is empty, is not there, or is not a regular file.
class MappedFile {
 public:
  explicit MappedFile(const std::string& name) {
    // Anything but a regular file is judged by its type alone: opening a
    // FIFO, even for a moment, would let its writer start writing into a
    // pipe that is closed again before the run reads it.
    struct stat info;
    if (stat(name.c_str(), &info) != 0) return;
    opened_ = true;
    regular_ = S_ISREG(info.st_mode);
    if (!regular_) return;
    const int fd = open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
      unreadable_ = true;
      return;
    }
    if (fstat(fd, &info) == 0) {
      regular_ = S_ISREG(info.st_mode);
      if (regular_ && info.st_size > 0) {
        void* data = mmap(nullptr, static_cast<size_t>(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
        if (data != MAP_FAILED) {
          data_ = static_cast<const char*>(data);
          size_ = static_cast<size_t>(info.st_size);
        } else {
          unreadable_ = true;
        }
      }
    }
    close(fd);
  }
  ~MappedFile() {
    if (data_ != nullptr) munmap(const_cast<char*>(data_), size_);
  }
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  bool Opened() const { return opened_; }
  // Not a file that can be read now and again by the run (a pipe, a FIFO, a
  // device), or one whose contents could not be mapped.
  bool Unscannable() const { return opened_ && (!regular_ || unreadable_); }
  std::string_view Text() const { return {data_ == nullptr ? "" : data_, size_}; }

 private:
  bool opened_ = false;
  bool regular_ = false;
  bool unreadable_ = false;
  const char* data_ = nullptr;
  size_t size_ = 0;
};

}  // namespace

bool TextMayNeedDesktop(std::string_view text) {
  if (text.find('@') != std::string_view::npos) return true;
  for (size_t slash = text.find('/'); slash != std::string_view::npos; slash = text.find('/', slash + 1)) {
    if (DesktopWordAt(text, slash)) return true;
  }
  return false;
}

bool ArgumentMayNeedDesktop(const std::string& argumentText) {
  if (argumentText.empty()) return true;  // the editor
  const std::string command = CommandTextForArgument(argumentText);
  if (command == argumentText) return TextMayNeedDesktop(command);
  // A bare command file name, run as "@" with the name quoted.
  if (argumentText.find('%') != std::string::npos) return true;
  const MappedFile file(ReplaceAll(argumentText, "\"", ""));
  if (!file.Opened()) return false;
  return file.Unscannable() || TextMayNeedDesktop(file.Text());
}

}  // namespace tolm
