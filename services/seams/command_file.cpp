// The report of a command file that cannot be opened, the same on every system.
#include "services/seams/command_file.h"
#include "services/seams/debug_log.h"

namespace tolm {

std::string OpenFailureMessage(const std::string& fileName, int error) {
  return "Error occurred while opening " + fileName + ":" + "\r\n" + "Cannot open file " + fileName + ": " +
         SysErrorDescription(error);
}

}  // namespace tolm
