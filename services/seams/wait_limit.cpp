#include "services/seams/wait_limit.h"

namespace tolm {
namespace {

std::optional<std::chrono::milliseconds>& Limit() {
  static std::optional<std::chrono::milliseconds> limit;
  return limit;
}

}  // namespace

void SetWaitTimeout(std::optional<std::chrono::milliseconds> limit) { Limit() = limit; }

std::optional<std::chrono::milliseconds> WaitTimeout() { return Limit(); }

WaitClock::time_point WaitDeadline() {
  if (!Limit()) return WaitClock::time_point::max();
  return WaitClock::now() + *Limit();
}

std::string WaitTimeoutText(std::chrono::milliseconds limit) {
  const long long ms = limit.count();
  std::string text = std::to_string(ms / 1000);
  if (long long fraction = ms % 1000; fraction != 0) {
    std::string digits = std::to_string(1000 + fraction).substr(1);  // three digits, leading zeros kept
    digits.erase(digits.find_last_not_of('0') + 1);
    text += "." + digits;
  }
  return text + (ms == 1000 ? " second" : " seconds");
}

std::string WaitTimeoutMessage(const std::string& command, const std::string& what) {
  const std::chrono::milliseconds limit = Limit().value_or(std::chrono::milliseconds(0));
  return command + " timed out after " + WaitTimeoutText(limit) + ": " + what;
}

}  // namespace tolm
