// The seam between the platform-free bookkeeping of programs and processes and
// the operating system. A backend (Linux today) implements these interfaces
// and installs them once at start-up; unit tests install recording fakes.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tolm {

// What a wait for a program learns: its exit status (the exit code, or
// 128 + the signal number when a signal ended it), or the errno of the failure
// to read that status.
struct ExitStatus {
  bool ok = false;
  uint32_t status = 0;
  int error = 0;
};

// A program this process started. Until it has been waited for, the system
// keeps its status for us.
class ChildProcess {
 public:
  virtual ~ChildProcess() = default;
  virtual uint32_t Id() const = 0;
  // Blocks on the event pump (so close requests and other events are served)
  // until the program has ended, then collects its status. Call at most once.
  virtual ExitStatus WaitForExit() = 0;
  // Blocks on the event pump until the program has ended (true; WaitForExit
  // then collects it at once) or the deadline has passed (false: it still
  // runs and may be waited for again).
  virtual bool WaitUntilEnded(std::chrono::steady_clock::time_point deadline) = 0;
};

// The result of a start: a child, or the errno that explains the failure.
struct StartResult {
  std::unique_ptr<ChildProcess> child;
  int error = 0;
};

class ProcessLauncher {
 public:
  virtual ~ProcessLauncher() = default;
  // Starts file (quotes already removed) with the parameter text, in directory
  // when it is not empty. Never throws for an ordinary failure to start.
  virtual StartResult Start(const std::string& file, const std::string& parameters,
                            const std::string& directory) = 0;
  // The same with the show mode of its first window (show_mode.h), for a
  // system that takes it with the start (Windows). Elsewhere the mode is
  // applied after the start (ApplyShowMode), and this is Start.
  virtual StartResult StartShown(const std::string& file, const std::string& parameters,
                                 const std::string& directory, int showMode) {
    (void)showMode;
    return Start(file, parameters, directory);
  }
};

// Which step of ending a process failed; the messages name the step.
enum class KillStep { Done, Open, Terminate };
struct KillResult {
  KillStep failedStep = KillStep::Done;
  int error = 0;
};

// The processes running on the machine.
class SystemProcesses {
 public:
  virtual ~SystemProcesses() = default;
  // Every running process id, in the system's order.
  virtual std::vector<uint32_t> ProcessIds() = 0;
  // The executable's full path, or empty when it cannot be read.
  virtual std::string ImagePath(uint32_t id) = 0;
  // Ends the process at once.
  virtual KillResult Kill(uint32_t id) = 0;
  virtual uint32_t CurrentId() = 0;
};

// Installation; the objects are not owned. nullptr uninstalls. Using a
// service with nothing installed throws Exception.
void SetProcessLauncher(ProcessLauncher* launcher);
void SetSystemProcesses(SystemProcesses* processes);
ProcessLauncher& CurrentProcessLauncher();
SystemProcesses& CurrentSystemProcesses();

}  // namespace tolm
