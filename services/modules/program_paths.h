// Where the program's own parts are: its modules and the desktop program sit
// beside the executable in a build tree, and in lib/tolm once installed.
#pragma once

#include <string>
#include <vector>

namespace tolm {

// Where a file that belongs to this program is looked for, in order: beside
// the executable (a build tree) and in the installation's lib/tolm folder
// (bin/../lib/tolm).
std::vector<std::string> ModuleSearchPaths(const std::string& fileName);

// What to say when fileName is in none of the paths searched:
// "NAME is not in FOLDER/ nor in FOLDER/".
std::string NotFoundMessage(const std::string& fileName, const std::vector<std::string>& paths);

}  // namespace tolm
