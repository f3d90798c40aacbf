#include "services/platform/linux/desktop_program.h"

#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "services/seams/debug_log.h"
#include "services/core/errors.h"
#include "services/modules/program_paths.h"

namespace tolm {

void ExecDesktopProgram(char** argv) {
  const std::vector<std::string> paths = ModuleSearchPaths(kDesktopProgramName);
  for (const std::string& path : paths) {
    execv(path.c_str(), argv);
    // Only a missing file sends the search on: one that is there but cannot
    // be run is the answer.
    if (errno != ENOENT) {
      throw Exception("Cannot start the desktop program " + path + ": " + SysErrorDescription(errno));
    }
  }
  throw Exception("Cannot start the desktop program: " + NotFoundMessage(kDesktopProgramName, paths));
}

}  // namespace tolm
