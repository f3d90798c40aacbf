#include "interp/check_files.h"

#include <exception>

#include "front/command_parser.h"
#include "services/seams/command_file.h"
#include "services/core/errors.h"
#include "services/seams/event_pump.h"
#include "services/seams/user_interface.h"

namespace tolm {

int CheckCommandFiles(const std::vector<std::string>& fileNames) {
  int status = 0;
  for (const std::string& name : fileNames) {
    CommandFileSource file;
    if (!file.Open(name)) {
      ShowError(OpenFailureMessage(name, file.Error()));
      status = 1;
      continue;
    }
    try {
      TTolmYacc parser;
      if (!parser.Check(file, name)) status = 1;
      // A read error cut the text short: what was checked is not the file.
      if (file.Failed()) {
        ShowError(OpenFailureMessage(name, file.Error()));
        status = 1;
      }
    } catch (const std::exception& e) {
      ShowError(name + ": " + e.what());
      status = 1;
    }
  }
  // A close request that came with the last piece ends the program too,
  // rather than being lost to an ordinary exit.
  ProcessPendingMessages();
  return status;
}

}  // namespace tolm
