#include "services/seams/programs.h"

#include <memory>
#include <vector>

#include "services/core/sys_error.h"
#include "services/core/errors.h"
#include "services/seams/exit_status.h"
#include "services/seams/process_api.h"
#include "services/seams/program_end.h"
#include "services/seams/show_mode.h"
#include "services/core/text.h"
#include "services/seams/user_interface.h"

namespace tolm {
namespace {

// Programs started without waiting. It grows without limit: every program is
// waited for by "/waitall", however many were started.
std::vector<std::unique_ptr<ChildProcess>>& StartedProcesses() {
  static std::vector<std::unique_ptr<ChildProcess>> table;
  return table;
}

// Collects one program's status; a status that cannot be read is reported and
// yields nothing.
bool CollectStatus(ChildProcess& child, uint32_t& status) {
  ExitStatus result = child.WaitForExit();
  if (!result.ok) {
    ShowError("Could not get exit status for process - " + SysErrorText(result.error));
    return false;
  }
  status = result.status;
  return true;
}

// The failure policy: the first of ignore, warn and raise that is set decides;
// with none the program ends. We end with status 1, not 0, so that whoever
// started us can tell that the script did not run to its end.
int ReportStartFailure(const std::string& program, int error, uint32_t flags) {
  std::string message = StartFailureMessage(program, error);
  if (flags & kLaunchIgnore) return -1;
  if (flags & kLaunchWarn) {
    ShowWarning(message);
    return -1;
  }
  if (flags & kLaunchRaise) throw ESystemError(message);
  ShowError(message);
  EndProgram(1);
}

}  // namespace

std::string StartFailureMessage(const std::string& program, int error) {
  return "Could not start application \"" + program + "\"\r\n" + SysErrorText(error);
}

int StartProgram(const std::string& program, const std::string& parameters, const std::string& directory,
                 uint32_t flags) {
  std::string file = ReplaceAll(program, "\"", "");
  const int showMode = static_cast<int>(flags & kLaunchShowMask);
  StartResult started = CurrentProcessLauncher().StartShown(file, parameters, directory, showMode);
  if (!started.child) return ReportStartFailure(program, started.error, flags);

  // Recorded before its show mode is applied: when that fails (Exception),
  // the program runs anyway and "/waitall" still collects it.
  const int pid = static_cast<int>(started.child->Id());
  StartedProcesses().push_back(std::move(started.child));
  if (showMode != kShowNormal) ApplyShowMode(pid, showMode);

  if (flags & kLaunchWait) {
    std::unique_ptr<ChildProcess> child = std::move(StartedProcesses().back());
    StartedProcesses().pop_back();
    uint32_t status = 0;
    if (CollectStatus(*child, status)) LastExitCode = status;
  }
  return 0;
}

void WaitForAllProcesses() {
  // Take the table over first, so that a program started while we wait (from
  // an event handler) goes into the next round rather than this one.
  std::vector<std::unique_ptr<ChildProcess>> table = std::move(StartedProcesses());
  StartedProcesses().clear();
  LastExitCode = 0;
  for (auto& child : table) {
    uint32_t status = 0;
    if (CollectStatus(*child, status) && status != 0) LastExitCode = status;
  }
}

size_t StartedProcessCount() { return StartedProcesses().size(); }

}  // namespace tolm
