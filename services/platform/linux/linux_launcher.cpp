#include "services/platform/linux/linux_launcher.h"

#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <string>
#include <vector>

#include "services/core/argument_split.h"
#include "services/seams/event_pump.h"
#include "services/seams/event_sources.h"
#include "services/platform/linux/pidfd.h"
#include "services/platform/linux/program_resolution.h"
#include "services/platform/posix/unique_fd.h"

extern char** environ;

namespace tolm {
namespace {

// posix_spawn's attributes and file actions, destroyed with the object. Init()
// must succeed before anything else is used.
class SpawnSetup {
 public:
  SpawnSetup() = default;
  ~SpawnSetup() {
    if (actionsReady_) posix_spawn_file_actions_destroy(&actions_);
    if (attrReady_) posix_spawnattr_destroy(&attr_);
  }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;

  // 0, or the errno of the failure (ENOMEM).
  int Init() {
    if (int e = posix_spawnattr_init(&attr_)) return e;
    attrReady_ = true;
    if (int e = posix_spawn_file_actions_init(&actions_)) return e;
    actionsReady_ = true;
    return 0;
  }

  // The child starts with no signal blocked and every disposition at its
  // default: we block the close requests, and the program must not inherit that.
  int CleanSignals() {
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    if (int e = posix_spawnattr_setsigmask(&attr_, &none)) return e;
    if (int e = posix_spawnattr_setsigdefault(&attr_, &all)) return e;
    return posix_spawnattr_setflags(&attr_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  }
  int ChangeDirectory(const std::string& directory) {
    return posix_spawn_file_actions_addchdir_np(&actions_, directory.c_str());
  }
  const posix_spawnattr_t* Attr() const { return &attr_; }
  const posix_spawn_file_actions_t* Actions() const { return &actions_; }

 private:
  posix_spawnattr_t attr_;
  posix_spawn_file_actions_t actions_;
  bool attrReady_ = false;
  bool actionsReady_ = false;
};

StartResult Spawn(const std::string& path, const std::vector<std::string>& args, const std::string& directory) {
  SpawnSetup setup;
  if (int e = setup.Init()) return {nullptr, e};
  if (int e = setup.CleanSignals()) return {nullptr, e};
  if (!directory.empty())
    if (int e = setup.ChangeDirectory(directory)) return {nullptr, e};
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (int e = posix_spawn(&pid, path.c_str(), setup.Actions(), setup.Attr(), argv.data(), environ))
    return {nullptr, e};
  return {std::make_unique<LinuxChild>(pid), 0};
}

// The exit status as the script sees it: the exit code, or 128 + the signal.
uint32_t StatusOf(const siginfo_t& info) {
  if (info.si_code == CLD_EXITED) return static_cast<uint32_t>(info.si_status);
  return 128u + static_cast<uint32_t>(info.si_status);
}

int& WatchedChildren() {
  static int count = 0;
  return count;
}

}  // namespace

StartResult LinuxLauncher::Start(const std::string& file, const std::string& parameters,
                                 const std::string& directory) {
  ResolvedProgram program = ResolveProgram(file);
  switch (program.kind) {
    case LaunchKind::Missing:
      return {nullptr, ENOENT};
    case LaunchKind::Open: {
      // The desktop's opener stands for the program: it is what we wait for.
      std::string opener = FindOnPath("xdg-open");
      if (opener.empty()) return {nullptr, ENOENT};
      return Spawn(opener, {"xdg-open", program.path}, directory);
    }
    case LaunchKind::Execute:
      break;
  }
  std::vector<std::string> args = SplitCommandLine(parameters);
  args.insert(args.begin(), file);
  return Spawn(program.path, args, directory);
}

LinuxChild::LinuxChild(pid_t pid) : pid_(pid) {
  if (WatchedChildren() < kMaxWatchedChildren) Watch();
}

LinuxChild::~LinuxChild() { StopWatching(); }

int LinuxChild::WatchedCount() { return WatchedChildren(); }

void LinuxChild::Watch() {
  pidfd_ = UniqueFd(OpenPidfd(pid_));
  if (!pidfd_.Valid()) return;
  watch_ = WatchEventSource(pidfd_.Get(), [this] { OnReadable(); });
  ++WatchedChildren();
}

// A pidfd is readable once its process has ended.
void LinuxChild::OnReadable() {
  Collect(WNOHANG);
  if (status_) StopWatching();
}

void LinuxChild::StopWatching() {
  if (!pidfd_.Valid()) return;
  watch_ = EventSourceRegistration();
  pidfd_.Reset();
  --WatchedChildren();
}

void LinuxChild::Collect(int flags) {
  siginfo_t info{};
  int r;
  do {
    r = waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | flags);
  } while (r < 0 && errno == EINTR);
  if (r < 0) {
    status_ = ExitStatus{false, 0, errno};
  } else if (info.si_pid != 0) {  // with WNOHANG, 0 means still running
    status_ = ExitStatus{true, StatusOf(info), 0};
  }
}

bool LinuxChild::WaitUntilEnded(std::chrono::steady_clock::time_point deadline) {
  using Clock = std::chrono::steady_clock;
  // Without a pidfd nothing tells the pump that the child ended: it is
  // looked for this often.
  constexpr std::chrono::milliseconds kLookAgain{50};
  if (!status_ && !pidfd_.Valid()) Watch();
  while (!status_) {
    const Clock::time_point now = Clock::now();
    if (now >= deadline) {
      // One last look, in case no pump pass has seen the end yet.
      Collect(WNOHANG);
      return status_.has_value();
    }
    if (!pidfd_.Valid()) {
      Collect(WNOHANG);
      if (!status_) PumpWaitUntil(std::min(deadline, now + kLookAgain));
    } else if (!PumpWaitUntil(deadline) && deadline == Clock::time_point::max()) {
      Collect(0);  // a pump that cannot wait (none installed, or it failed): nothing else would wake us
    }
  }
  return true;
}

ExitStatus LinuxChild::WaitForExit() {
  // The pump serves close requests and other events meanwhile, and collects
  // the child when its pidfd says it ended. A pump that cannot wait (none
  // installed, or it failed) leaves the blocking wait below. A wait is
  // watched even beyond the limit of watched children.
  if (!status_ && !pidfd_.Valid()) Watch();
  while (!status_ && pidfd_.Valid()) {
    if (!PumpWaitUntil(std::chrono::steady_clock::time_point::max())) break;
  }
  if (!status_) Collect(0);
  StopWatching();
  return *status_;
}

}  // namespace tolm
