// Starting programs on Linux with posix_spawn, never through a shell, and
// collecting them through a pidfd watched on the event pump.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>

#include "services/seams/event_sources.h"
#include "services/platform/posix/unique_fd.h"
#include "services/seams/process_api.h"

namespace tolm {

// A child started by us. It watches its pidfd on the event pump and collects
// the child (keeping its status) at the first pump pass after it ended, so
// that no ended program stays a zombie until it is waited for. The pid stays
// ours until then: nobody else reaps our children. A child whose pidfd
// cannot be had (kernels before 5.3, or too many children running at once,
// see kMaxWatchedChildren) is collected when it is waited for.
class LinuxChild : public ChildProcess {
 public:
  // Children watched at once at most: each holds a descriptor while it runs,
  // and the rest of the program needs descriptors too (the usual limit is 1024).
  static constexpr int kMaxWatchedChildren = 512;

  explicit LinuxChild(pid_t pid);
  // The callback on the pump refers to this object.
  LinuxChild(const LinuxChild&) = delete;
  LinuxChild& operator=(const LinuxChild&) = delete;
  ~LinuxChild() override;

  uint32_t Id() const override { return static_cast<uint32_t>(pid_); }
  ExitStatus WaitForExit() override;
  bool WaitUntilEnded(std::chrono::steady_clock::time_point deadline) override;

  // Children whose pidfd is being watched now, in the whole program.
  static int WatchedCount();

 private:
  void Watch();
  void OnReadable();
  void StopWatching();
  // Collects the child with waitid (flags: 0 or WNOHANG); sets status_
  // unless WNOHANG found it still running.
  void Collect(int flags);

  pid_t pid_;
  UniqueFd pidfd_;
  EventSourceRegistration watch_;  // declared after pidfd_: unregistered before it closes
  std::optional<ExitStatus> status_;
};

class LinuxLauncher : public ProcessLauncher {
 public:
  StartResult Start(const std::string& file, const std::string& parameters,
                    const std::string& directory) override;
};

}  // namespace tolm
