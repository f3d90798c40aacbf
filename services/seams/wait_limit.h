// The time limit of the waits a script asks for: "/wait" on a program line,
// "/waitall", "/waitfor" and "/waitclose". The program option --wait-timeout
// sets it for the whole run; by default there is none, and a wait lasts until
// what it waits for has happened (a close request ends it at any time).
#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "services/core/errors.h"

namespace tolm {

using WaitClock = std::chrono::steady_clock;

// nullopt: no limit. A limit is positive.
void SetWaitTimeout(std::optional<std::chrono::milliseconds> limit);
std::optional<std::chrono::milliseconds> WaitTimeout();

// When a wait that starts now gives up: time_point::max() without a limit.
WaitClock::time_point WaitDeadline();

// The limit as a text: "1 second", "30 seconds", "2.5 seconds".
std::string WaitTimeoutText(std::chrono::milliseconds limit);

// "<command> timed out after <limit>: <what>", with the limit in force.
std::string WaitTimeoutMessage(const std::string& command, const std::string& what);

// A wait of the services (a program's "/wait", "/waitall") that reached the
// limit. The interpreter reports it as a failure of its command, which
// /ignore and /warn soften like a target that cannot be found.
class WaitTimedOut : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace tolm
