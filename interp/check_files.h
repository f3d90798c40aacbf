// "tolm32 --check": parse command files without running them.
#pragma once

#include <string>
#include <vector>

namespace tolm {

// Parses each file (source name: the name as given); each failed parse's
// report goes to the user interface. Returns 0 when every file parsed, else 1.
int CheckCommandFiles(const std::vector<std::string>& fileNames);

}  // namespace tolm
