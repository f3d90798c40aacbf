#include "services/seams/console_input.h"

#include <unistd.h>

#include <cerrno>

#include "services/seams/event_pump.h"

namespace tolm {

bool StandardInputIsTerminal() { return isatty(STDIN_FILENO) != 0; }

// Every wait is on the pump, so a close request ends the program while the
// user is being asked.
bool ReadAnswerLine(std::string& line) {
  line.clear();
  for (;;) {
    PumpWaitReadable(STDIN_FILENO);
    char c;
    const ssize_t n = read(STDIN_FILENO, &c, 1);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (n <= 0) return !line.empty();
    if (c == '\n') return true;
    line += c;
  }
}

}  // namespace tolm
