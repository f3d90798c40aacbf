#include "interp/check_files.h"

#include "front/command_parser.h"
#include "interp/runner.h"
#include "services/errors.h"
#include "services/user_interface.h"

namespace tolm {

int CheckCommandFiles(const std::vector<std::string>& fileNames) {
  int status = 0;
  for (const std::string& name : fileNames) {
    std::string contents;
    if (!ReadCommandFile(name, contents)) {
      ShowError(OpenFailureMessage(name));
      status = 1;
      continue;
    }
    try {
      TTolmYacc parser;
      parser.Parse(contents, name);
    } catch (const Exception& e) {
      // The parser has shown its report; "parse error" itself adds nothing.
      if (e.Message() != "parse error") ShowError(name + ": " + e.Message());
      status = 1;
    }
  }
  return status;
}

}  // namespace tolm
