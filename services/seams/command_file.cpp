// What reading a command file is on every system; the system's side is
// services/platform/<system>/command_file.cpp.
#include "services/seams/command_file.h"

#include "services/core/sys_error.h"

namespace tolm {

CommandFileSource::~CommandFileSource() { Close(); }

void CommandFileSource::Reset() {
  Close();
  failed_ = false;
  error_ = 0;
  read_ = 0;
}

size_t CommandFileSource::RemainingHint() const { return expected_ > read_ ? expected_ - read_ : 0; }

std::string OpenFailureMessage(const std::string& fileName, int error) {
  return "Error occurred while opening " + fileName + ":" + "\r\n" + "Cannot open file " + fileName + ": " +
         SysErrorDescription(error);
}

}  // namespace tolm
