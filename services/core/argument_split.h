// Splitting a parameter text into an argument vector the way a platform
// command line is split, for backends that start programs without a shell.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tolm {

// Blanks and tabs separate arguments; a double quote starts or ends a quoted
// stretch, in which blanks belong to the argument, and is removed. So
// 'a "b c" d""e ""' gives 'a', 'b c', 'de' and an empty argument.
std::vector<std::string> SplitCommandLine(std::string_view text);

}  // namespace tolm
