// Starting programs for command lines, waiting for them ("/wait"), and the
// table of programs started without waiting, collected by "/waitall".
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tolm {

// Launch flags: the low byte is the show mode (see show_mode.h), then the
// failure policy bits; the first policy bit set (ignore, warn, raise) decides.
inline constexpr uint32_t kLaunchWait = 0x100, kLaunchIgnore = 0x200, kLaunchWarn = 0x400,
                          kLaunchRaise = 0x800;
inline constexpr uint32_t kLaunchShowMask = 0xFF;

// Starts program (every double quote removed) with the parameter text, in
// directory when not empty. With kLaunchWait returns only after the program
// ended and LastExitCode holds its status; otherwise the program is recorded
// for WaitForAllProcesses. Returns 0 when started; on failure -1 (ignore,
// warn), throws ESystemError (raise), or shows the error and ends the whole
// program with exit status 1 (no policy bit). Texts of any length are passed
// on whole; the system's own limits (E2BIG, ENAMETOOLONG) are failures to start.
// A wait that reaches the time limit (wait_limit.h) throws WaitTimedOut; the
// program goes on running, recorded for WaitForAllProcesses.
int StartProgram(const std::string& program, const std::string& parameters, const std::string& directory,
                 uint32_t flags);

// Waits for every recorded program in table order, sets LastExitCode to the
// last non-zero status (0 when all ended with 0 or nothing was recorded) and
// empties the table. When the time limit (wait_limit.h) comes first it throws
// WaitTimedOut: the programs that have ended by then are collected and count,
// the others stay recorded.
void WaitForAllProcesses();

// Number of programs recorded and not yet collected.
size_t StartedProcessCount();

// "Could not start application \"<program>\"\r\n<SysErrorText(error)>".
std::string StartFailureMessage(const std::string& program, int error);

}  // namespace tolm
