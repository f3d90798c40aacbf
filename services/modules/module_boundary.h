// The program's side of the boundary to the modules it loads on first use
// (the window module, services/modules/window_module.h, and the desktop modules,
// services/modules/desktop_modules.h). tolm32 carries its own copy of the C++ runtime
// and a module uses a shared one, so no exception may cross in either
// direction:
// - a module catches everything in its entries and in each call the program
//   makes into it, and reports the failure here; the program raises it once
//   the module's call has returned;
// - a module calls only functions of the program that throw nothing. The
//   functions below are the program's services that can fail, in the form a
//   module calls them: each returns the failure's message (empty: success),
//   which the module raises in its own runtime (ThrowIfFailed).
#pragma once

#include <chrono>
#include <exception>
#include <functional>
#include <string>

#include "services/core/errors.h"

namespace tolm {

// Keeps the first failure reported since the last raise: it is the cause.
void ReportModuleFailure(const std::string& message) noexcept;
// Throws Exception with the failure reported since the last call, if any.
void RaiseReportedModuleFailure();

// PumpWaitUntil; woke tells whether an event woke it.
std::string PumpWaitUntilForModule(std::chrono::steady_clock::time_point deadline, bool& woke) noexcept;
// DebugLog.
std::string DebugLogForModule(const std::string& message) noexcept;
// StartShowModeWatcher. The watch runs on a thread of the program: it must
// catch everything itself.
std::string StartShowModeWatcherForModule(std::function<void()> watch) noexcept;

// Raises a failure returned by one of the calls above. Inline, so that the
// throw happens in the runtime of the code that calls it.
inline void ThrowIfFailed(const std::string& failure) {
  if (!failure.empty()) throw Exception(failure);
}

// Runs one call of a module's work; what it throws is reported instead.
// Inline, so that the catch happens in the runtime of the module that
// threw. unknown names the module in the report of a non-standard exception.
template <typename Call>
void GuardedModuleCall(Call call, const char* unknown) noexcept {
  try {
    call();
  } catch (const std::exception& e) {
    ReportModuleFailure(e.what());
  } catch (...) {
    ReportModuleFailure(unknown);
  }
}

// PumpWaitUntil as a module calls it: its failure is raised in the module.
inline bool ModulePumpWaitUntil(std::chrono::steady_clock::time_point deadline) {
  bool woke = false;
  ThrowIfFailed(PumpWaitUntilForModule(deadline, woke));
  return woke;
}

}  // namespace tolm
