#include "services/platform/linux/proc_processes.h"

#include <dirent.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <string_view>

#include "services/platform/linux/pidfd.h"
#include "services/platform/posix/unique_fd.h"

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

// What the kernel appends to the target of /proc/PID/exe once the file was
// deleted, or replaced as a package upgrade does: every program running
// through an upgrade has it, and its name is still the file's own.
constexpr std::string_view kDeletedMark = " (deleted)";

// Whether the file that link (a /proc/PID/exe) refers to has no name left: a
// file really named "... (deleted)" keeps its whole name.
bool IsUnlinked(const std::string& link) {
  struct stat st{};
  return stat(link.c_str(), &st) == 0 && st.st_nlink == 0;
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
  std::string path(target, static_cast<size_t>(n));
  if (path.ends_with(kDeletedMark) && IsUnlinked(link)) path.resize(path.size() - kDeletedMark.size());
  return path;
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
