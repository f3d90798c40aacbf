#include "services/platform/windows/win_launcher.h"

#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <memory>

#include "services/seams/event_pump.h"
#include "services/seams/event_sources.h"
#include "services/seams/show_mode.h"
#include "services/platform/windows/win_handle_value.h"

namespace tolm {

ExitStatus ExitStatusOf(HANDLE process) {
  DWORD code = 0;
  if (!GetExitCodeProcess(process, &code)) return ExitStatus{false, 0, static_cast<int>(GetLastError())};
  return ExitStatus{true, code, 0};
}

namespace {

// The time left until the deadline for a system wait: INFINITE for none, 0 once it has passed.
DWORD MillisecondsUntil(std::chrono::steady_clock::time_point deadline) {
  if (deadline == std::chrono::steady_clock::time_point::max()) return INFINITE;
  const long long left =
      std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
  return left <= 0 ? 0 : static_cast<DWORD>(std::min<long long>(left, INFINITE - 1));
}

}  // namespace

uint32_t WinChild::Id() const { return process_.Valid() ? GetProcessId(process_.Get()) : 0; }

bool WinChild::WaitUntilEnded(std::chrono::steady_clock::time_point deadline) {
  using Clock = std::chrono::steady_clock;
  // No process to wait for: WaitForExit reports it at once.
  if (!process_.Valid()) return true;
  // The process handle is signalled when it ends.
  bool ended = WaitForSingleObject(process_.Get(), 0) == WAIT_OBJECT_0;
  if (ended) return true;
  EventSourceRegistration watch = WatchEventSource(SourceOfHandle(process_.Get()), [&ended] { ended = true; });
  while (!ended) {
    const Clock::time_point now = Clock::now();
    if (now >= deadline) return WaitForSingleObject(process_.Get(), 0) == WAIT_OBJECT_0;
    if (PumpWaitUntil(deadline)) continue;
    // Without a pump installed PumpWaitUntil returns at once (no limit) or
    // has slept to the deadline: the handle alone tells.
    if (WaitForSingleObject(process_.Get(), MillisecondsUntil(deadline)) == WAIT_OBJECT_0) ended = true;
  }
  return true;
}

ExitStatus WinChild::WaitForExit() {
  if (!process_.Valid()) return ExitStatus{false, 0, ERROR_INVALID_HANDLE};
  WaitUntilEnded(std::chrono::steady_clock::time_point::max());
  ExitStatus status = ExitStatusOf(process_.Get());
  process_.Reset();
  return status;
}

StartResult WinLauncher::Start(const std::string& file, const std::string& parameters,
                               const std::string& directory) {
  return StartShown(file, parameters, directory, kShowNormal);
}

StartResult WinLauncher::StartShown(const std::string& file, const std::string& parameters,
                                    const std::string& directory, int showMode) {
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  // A process handle back, and no error dialog of the shell's own: the
  // failure is ours to report.
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.lpFile = file.c_str();
  info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
  info.lpDirectory = directory.empty() ? nullptr : directory.c_str();
  info.nShow = showMode;
  if (!ShellExecuteExA(&info)) return StartResult{nullptr, static_cast<int>(GetLastError())};
  return StartResult{std::make_unique<WinChild>(info.hProcess), 0};
}

}  // namespace tolm
