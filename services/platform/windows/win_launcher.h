// Starting programs and documents on Windows through the shell
// (ShellExecuteExA), so that a program name without a path or a document is
// opened the way the desktop would open it, with the show mode of its window.
#pragma once

#include <windows.h>

#include <chrono>

#include "services/seams/process_api.h"
#include "services/platform/windows/win_handle.h"

namespace tolm {

// A started program, known by its process handle. The shell may hand a
// document to a program that already runs and return no process: such a
// start has no handle, and waiting for it fails (ERROR_INVALID_HANDLE).
class WinChild : public ChildProcess {
 public:
  explicit WinChild(HANDLE process) : process_(process) {}
  uint32_t Id() const override;
  // Waits on the event pump, which serves the message queue and close
  // requests meanwhile, then reads the exit code.
  ExitStatus WaitForExit() override;
  bool WaitUntilEnded(std::chrono::steady_clock::time_point deadline) override;

 private:
  UniqueHandle process_;
};

class WinLauncher : public ProcessLauncher {
 public:
  StartResult Start(const std::string& file, const std::string& parameters,
                    const std::string& directory) override;
  StartResult StartShown(const std::string& file, const std::string& parameters, const std::string& directory,
                         int showMode) override;
};

// Reads the exit code of an ended process (GetExitCodeProcess).
ExitStatus ExitStatusOf(HANDLE process);

}  // namespace tolm
