#include "services/seams/show_mode.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>

#include "services/core/errors.h"
#include "services/seams/debug_log.h"
#include "services/seams/desktop.h"
#include "services/seams/event_pump.h"
#include "services/seams/event_sources.h"

namespace tolm {
namespace {

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
    auto outcome = std::make_shared<Outcome>();
    Begun();
    try {
      std::thread thread([this, watch = std::move(watch), outcome] {
        // A watcher that fails leaves its window as it is; nothing else
        // depends on it. Its failure is logged by the main thread once it
        // has been joined (the log belongs to the main thread).
        try {
          watch();
        } catch (const std::exception& e) {
          outcome->failure = e.what();
        } catch (...) {
          outcome->failure = "unknown failure";
        }
        outcome->ended.store(true);
        Ended();
      });
      list_.push_back({std::move(thread), std::move(outcome)});
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
    std::list<Entry> entries = std::move(list_);
    for (Entry& entry : entries) Join(entry);  // ended, or (no pump) bounded anyway
  }

  size_t Running() {
    std::lock_guard<std::mutex> lock(mutex_);
    return running_;
  }

 private:
  // What a watcher leaves: written by its thread before ended is set.
  struct Outcome {
    std::atomic<bool> ended{false};
    std::string failure;
  };
  struct Entry {
    std::thread thread;
    std::shared_ptr<Outcome> outcome;
  };

  // Joins a watcher and logs its failure, if it had one.
  static void Join(Entry& entry) {
    entry.thread.join();
    if (!entry.outcome->failure.empty()) DebugLog("Show mode: the watcher failed: " + entry.outcome->failure);
  }

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
      if (!it->outcome->ended.load()) {
        ++it;
        continue;
      }
      Entry entry = std::move(*it);
      it = list_.erase(it);
      Join(entry);
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
  if (!HasDesktop()) return;
  const ShowModeHandler& apply = CurrentDesktop().showMode;
  if (apply) apply(pid, showMode);
}

void StartShowModeWatcher(std::function<void()> watch) { TheWatchers().Start(std::move(watch)); }

void FinishShowModeWatchers() { TheWatchers().FinishAll(); }

size_t RunningShowModeWatchers() { return TheWatchers().Running(); }

}  // namespace tolm
