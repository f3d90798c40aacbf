#include "ui/core/text_file.h"

#include <cstring>

#include "services/core/sys_error.h"
#include "services/core/text.h"
#include "services/seams/user_interface.h"

namespace tolm {

std::string UnquotedFileName(std::string_view name) {
  if (!name.empty() && name.front() == '"') return std::string(name.size() >= 2 ? name.substr(1, name.size() - 2) : "");
  return std::string(name);
}

std::string CouldNotOpenMessage(const std::string& name, int error) {
  return "Could not open \"" + name + "\"\r\n" + SysErrorText(error);
}

// --- reading

size_t TextFileReader::ReadTextLine(std::string& line) {
  line.clear();
  size_t count = 0;
  if (fd_ < 0) return 0;
  for (;;) {
    if (next_ == end_ && !Fill()) break;
    const char* start = buffer_ + next_;
    const size_t available = end_ - next_;
    const void* lf = std::memchr(start, '\n', available);
    const size_t take = lf != nullptr ? static_cast<size_t>(static_cast<const char*>(lf) - start) + 1 : available;
    line.append(start, take);
    next_ += take;
    count += take;
    if (lf != nullptr) break;
  }
  line = TrimBlanks(line);
  return count;
}

// --- writing

void TextFileWriter::ReportWriteFailure(int error) {
  ShowError(std::string(kCouldNotWriteToFile) + "\r\n" + SysErrorText(error));
}

long TextFileWriter::WriteTextLine(std::string_view text) {
  std::string data(text);
  data += "\r\n";
  if (int error = Write(data); error != 0) {
    ReportWriteFailure(error);
    return -1;
  }
  return static_cast<long>(data.size());
}

}  // namespace tolm
