// The answers a console user types on standard input (one implementation per
// system).
#pragma once

#include <string>

namespace tolm {

// Whether standard input is a terminal (a console on Windows), where a user
// can answer.
bool StandardInputIsTerminal();

// Reads one line of standard input, without its line end; false at the end
// of the input when nothing was read. Close requests are served while it
// waits.
bool ReadAnswerLine(std::string& line);

}  // namespace tolm
