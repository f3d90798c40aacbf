#include "services/seams/show_mode.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <list>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

#include "services/seams/debug_log.h"
#include "services/core/errors.h"
#include "services/seams/event_pump.h"
#include "services/seams/event_sources.h"

namespace tolm {
namespace {

ShowModeHandler& Handler() {
  static ShowModeHandler handler;
  return handler;
}

// A pipe whose read end wakes the event pump when a watcher ends.
class WakePipe {
 public:
  WakePipe() {
#ifdef _WIN32
    // The Windows shell applies show modes itself: no watcher ever runs there.
    fds_[0] = fds_[1] = -1;
#else
    if (pipe2(fds_, O_CLOEXEC | O_NONBLOCK) != 0) fds_[0] = fds_[1] = -1;
#endif
  }
  ~WakePipe() {
    for (int fd : fds_)
      if (fd >= 0) close(fd);
  }
  WakePipe(const WakePipe&) = delete;
  WakePipe& operator=(const WakePipe&) = delete;

  bool Valid() const { return fds_[0] >= 0; }
  int ReadEnd() const { return fds_[0]; }
  int WriteEnd() const { return fds_[1]; }
  void Drain() const {
    char buffer[64];
    while (read(fds_[0], buffer, sizeof buffer) > 0) {
    }
  }

 private:
  int fds_[2];
};

// The watcher threads. The list is the main thread's; the count of running
// watchers and the descriptor to wake the main thread with are shared.
class Watchers {
 public:
  void Start(std::function<void()> watch) {
    JoinEnded();
    auto ended = std::make_shared<std::atomic<bool>>(false);
    Begun();
    try {
      std::thread thread([this, watch = std::move(watch), ended] {
        try {
          watch();
        } catch (...) {
          // A watcher that fails leaves its window as it is; nothing else depends on it.
        }
        ended->store(true);
        Ended();
      });
      list_.push_back({std::move(thread), std::move(ended)});
    } catch (const std::system_error& e) {
      Ended();
      throw Exception("Could not start the show-mode watcher: " + SysErrorDescription(e.code().value()));
    }
  }

  void FinishAll() {
    // A run that started no watcher (most runs) has nothing to wait for: no
    // pipe, which every run would otherwise pay for at its end.
    if (list_.empty()) return;
    WakePipe wake;
    if (wake.Valid()) WaitOnPump(wake);
    for (Entry& entry : list_) entry.thread.join();  // ended, or (no pump) bounded anyway
    list_.clear();
  }

  size_t Running() {
    std::lock_guard<std::mutex> lock(mutex_);
    return running_;
  }

 private:
  struct Entry {
    std::thread thread;
    std::shared_ptr<std::atomic<bool>> ended;
  };

  void Begun() {
    std::lock_guard<std::mutex> lock(mutex_);
    ++running_;
  }

  // Called by each watcher as it ends (and for one that could not start).
  void Ended() {
    std::lock_guard<std::mutex> lock(mutex_);
    --running_;
    if (wakeFd_ >= 0) {
      [[maybe_unused]] ssize_t ignored = write(wakeFd_, "x", 1);  // a full pipe wakes the pump anyway
    }
  }

  void SetWakeFd(int fd) {
    std::lock_guard<std::mutex> lock(mutex_);
    wakeFd_ = fd;
  }

  // Sleeps on the pump until the last watcher has ended. A pump that cannot
  // wait (none installed, or it failed) leaves the rest to the joins.
  void WaitOnPump(const WakePipe& wake) {
    SetWakeFd(wake.WriteEnd());
    EventSourceRegistration watch = WatchEventSource(wake.ReadEnd(), [&wake] { wake.Drain(); });
    while (Running() > 0) {
      if (!PumpWaitUntil(std::chrono::steady_clock::time_point::max())) break;
    }
    SetWakeFd(-1);
  }

  // Threads that have ended are joined as new ones start, so a long script
  // does not keep one finished thread per started program.
  void JoinEnded() {
    for (auto it = list_.begin(); it != list_.end();) {
      if (!it->ended->load()) {
        ++it;
        continue;
      }
      it->thread.join();
      it = list_.erase(it);
    }
  }

  std::list<Entry> list_;
  std::mutex mutex_;
  size_t running_ = 0;
  int wakeFd_ = -1;
};

// Never destroyed: a watcher may still run when the process ends.
Watchers& TheWatchers() {
  static Watchers* watchers = new Watchers;
  return *watchers;
}

}  // namespace

void ApplyShowMode(int pid, int showMode) {
  if (Handler()) Handler()(pid, showMode);
}

void SetShowModeHandler(ShowModeHandler handler) { Handler() = std::move(handler); }

void StartShowModeWatcher(std::function<void()> watch) { TheWatchers().Start(std::move(watch)); }

void FinishShowModeWatchers() { TheWatchers().FinishAll(); }

size_t RunningShowModeWatchers() { return TheWatchers().Running(); }

}  // namespace tolm
