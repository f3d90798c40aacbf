// Starting programs on Linux with posix_spawn, never through a shell, and
// waiting for them on the event pump through a pidfd.
#pragma once

#include <sys/types.h>

#include "services/process_api.h"

namespace tolm {

// A child started by us. It keeps only the pid: the child cannot be reaped by
// anyone else, so the pid stays ours until WaitForExit collects it, and no
// descriptor is held while it is merely recorded (thousands may be).
class LinuxChild : public ChildProcess {
 public:
  explicit LinuxChild(pid_t pid) : pid_(pid) {}
  uint32_t Id() const override { return static_cast<uint32_t>(pid_); }
  ExitStatus WaitForExit() override;

 private:
  void WaitOnPump();
  pid_t pid_;
};

class LinuxLauncher : public ProcessLauncher {
 public:
  StartResult Start(const std::string& file, const std::string& parameters,
                    const std::string& directory) override;
};

}  // namespace tolm
