#include "services/linux/proc_processes.h"

#include <dirent.h>
#include <limits.h>
#include <signal.h>
#include "services/linux/pidfd.h"
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "services/linux/unique_fd.h"

namespace tolm {
namespace {

struct DirCloser {
  void operator()(DIR* d) const { closedir(d); }
};

bool IsNumber(const char* name) {
  if (!*name) return false;
  for (; *name; ++name)
    if (*name < '0' || *name > '9') return false;
  return true;
}

}  // namespace

std::vector<uint32_t> ProcProcesses::ProcessIds() {
  std::vector<uint32_t> ids;
  std::unique_ptr<DIR, DirCloser> proc(opendir("/proc"));
  if (!proc) return ids;
  while (dirent* entry = readdir(proc.get())) {
    if (IsNumber(entry->d_name)) ids.push_back(static_cast<uint32_t>(std::stoul(entry->d_name)));
  }
  return ids;
}

std::string ProcProcesses::ImagePath(uint32_t id) {
  // The target of /proc/PID/exe; unreadable (another user's process, a kernel
  // thread, a process that ended) gives an empty name.
  std::string link = "/proc/" + std::to_string(id) + "/exe";
  char target[PATH_MAX];
  ssize_t n = readlink(link.c_str(), target, sizeof target);
  if (n <= 0 || static_cast<size_t>(n) >= sizeof target) return {};
  return std::string(target, static_cast<size_t>(n));
}

// Opening the process is taking a pidfd for it, so the signal reaches that
// very process even if its id were reused meanwhile. ESRCH (no such process)
// is thus an OpenProcess failure, EPERM from the signal a TerminateProcess one.
KillResult ProcProcesses::Kill(uint32_t id) {
  UniqueFd pidfd(OpenPidfd(static_cast<pid_t>(id)));
  if (!pidfd.Valid()) {
    if (errno != ENOSYS) return {KillStep::Open, errno};
    // Kernels without pidfds: probe, then signal by id.
    if (kill(static_cast<pid_t>(id), 0) != 0 && errno != EPERM) return {KillStep::Open, errno};
    if (kill(static_cast<pid_t>(id), SIGKILL) != 0) return {KillStep::Terminate, errno};
    return {};
  }
  if (SignalPidfd(pidfd.Get(), SIGKILL) != 0) return {KillStep::Terminate, errno};
  return {};
}

uint32_t ProcProcesses::CurrentId() { return static_cast<uint32_t>(getpid()); }

}  // namespace tolm
