// Loading a module of the program: a shared library opened at run time
// (dlopen) the first time the program needs it, so that runs that never need
// it never pay for loading it or the libraries it links.
#pragma once

#include <string>
#include <vector>

#include "services/modules/boundary.h"

namespace tolm {

// Where a file that belongs to this program is looked for, in order: beside
// the executable (a build tree), then in the installation's module folder
// (kModuleFolder below the executable's folder: bin/../lib/tolm).
std::vector<std::string> ModuleSearchPaths(const std::string& fileName);

// What to say when fileName is in none of the paths searched:
// "NAME is not in FOLDER/ nor in FOLDER/".
std::string NotFoundMessage(const std::string& fileName, const std::vector<std::string>& paths);

// Opens the first of ModuleSearchPaths(fileName) that exists, calls its
// entry (kModuleEntry) with the program's host table and returns true with
// what it offers. False with the reason when it is not found, cannot be
// loaded, has no entry, or declines. A module that was opened stays loaded
// until the process ends, never closed, not even by exit(): its threads and
// the program's copies of its callbacks run its code.
bool LoadModule(const std::string& fileName, ModuleOffer& offer, std::string& why);

}  // namespace tolm
