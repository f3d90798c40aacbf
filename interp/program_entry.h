// The start-up routine: turn the program's argument text into command text,
// run it, report a failure, show what the run collected.
#pragma once

#include <string>

namespace tolm {

// The text RunCommandText is given for an argument text: a bare command file
// name becomes "@" with the quoted name; anything else runs as written.
std::string CommandTextForArgument(const std::string& argumentText);

// Runs the argument text (empty: the editor) and returns the exit status:
// 0 after a run that succeeded, 1 after one whose failure was reported.
int RunArgumentText(const std::string& argumentText);

}  // namespace tolm
