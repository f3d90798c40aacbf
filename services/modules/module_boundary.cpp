#include "services/modules/module_boundary.h"

#include <exception>
#include <optional>
#include <utility>

#include "services/seams/debug_log.h"
#include "services/seams/event_pump.h"
#include "services/seams/show_mode.h"

namespace tolm {
namespace {

std::optional<std::string>& Reported() {
  static std::optional<std::string> failure;
  return failure;
}

// Runs work, turning whatever it throws into the returned message.
template <typename Work>
std::string FailureOf(Work work) noexcept {
  try {
    work();
    return "";
  } catch (const std::exception& e) {
    try {
      return e.what()[0] != '\0' ? e.what() : "unknown failure";
    } catch (...) {
      return "out of memory";  // the text itself could not be kept
    }
  } catch (...) {
    return "unknown failure";
  }
}

}  // namespace

void ReportModuleFailure(const std::string& message) noexcept {
  try {
    if (!Reported()) Reported() = message;  // the first failure is the cause
  } catch (...) {
    // Out of memory while keeping the text: the failure still shows.
    Reported() = std::nullopt;
  }
}

void RaiseReportedModuleFailure() {
  if (!Reported()) return;
  std::string message = std::move(*Reported());
  Reported().reset();
  throw Exception(message);
}

std::string PumpWaitUntilForModule(std::chrono::steady_clock::time_point deadline, bool& woke) noexcept {
  woke = true;  // a failed wait must not look like a quiet time-out
  return FailureOf([&] { woke = PumpWaitUntil(deadline); });
}

std::string DebugLogForModule(const std::string& message) noexcept {
  return FailureOf([&] { DebugLog(message); });
}

std::string StartShowModeWatcherForModule(std::function<void()> watch) noexcept {
  return FailureOf([&] { StartShowModeWatcher(std::move(watch)); });
}

}  // namespace tolm
