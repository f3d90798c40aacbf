#include "services/platform/linux/linux_pump.h"

#include <poll.h>
#include <sys/signalfd.h>

#include <cerrno>
#include <vector>

#include "services/core/sys_error.h"
#include "services/core/errors.h"
#include "services/seams/event_sources.h"
#include "services/platform/linux/close_signals.h"
#include "services/seams/program_end.h"
#include "services/seams/toolkit_loop.h"

namespace tolm {
namespace {

using Clock = std::chrono::steady_clock;

// The time left until the deadline, for ppoll: none blocks without limit, a
// deadline that has passed does not block at all.
timespec TimeLeft(Clock::time_point deadline) {
  if (deadline == Clock::time_point::min()) return timespec{0, 0};
  Clock::time_point now = Clock::now();
  if (deadline <= now) return timespec{0, 0};  // also keeps time_point::min() from overflowing
  auto left = deadline - now;
  auto seconds = std::chrono::duration_cast<std::chrono::seconds>(left);
  auto nanos = std::chrono::duration_cast<std::chrono::nanoseconds>(left - seconds);
  return timespec{static_cast<time_t>(seconds.count()), static_cast<long>(nanos.count())};
}

constexpr short kReadyEvents = POLLIN | POLLHUP | POLLERR | POLLNVAL;

}  // namespace

LinuxPump::LinuxPump() {
  sigset_t set = CloseSignals();
  signals_ = UniqueFd(signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK));
  if (!signals_.Valid()) throw Exception("signalfd failed: " + SysErrorDescription(errno));
}

bool LinuxPump::WaitAndServe(std::optional<Clock::time_point> deadline) {
  // A deadline that has passed asks for a non-blocking pass; a blocking wait
  // always polls, so close requests during waits are served at once.
  // time_point::min() (a pass between commands) has passed without asking
  // the clock.
  const bool nonBlocking = deadline && (*deadline == Clock::time_point::min() || *deadline <= Clock::now());
  if (nonBlocking) {
    if (!NonBlockingPassDue()) return false;
    deadline = Clock::time_point::min();
  }
  std::vector<EventSource> sources = RegisteredEventSources();
  std::vector<pollfd> fds;
  fds.push_back(pollfd{signals_.Get(), POLLIN, 0});
  for (const EventSource& s : sources) fds.push_back(pollfd{s.fd, POLLIN, 0});

  // With a toolkit attached, its loop does the blocking (it serves close
  // requests itself); the ppoll below then only collects what is ready.
  if (ToolkitLoop* toolkit = AttachedToolkitLoop()) {
    if (nonBlocking) {
      toolkit->ServePending();
    } else {
      std::vector<int> sourceFds;
      for (const EventSource& s : sources) sourceFds.push_back(s.fd);
      toolkit->WaitReadable(sourceFds, deadline);
    }
    deadline = Clock::time_point::min();
  }

  int ready;
  do {
    timespec left{};
    if (deadline) left = TimeLeft(*deadline);
    ready = ppoll(fds.data(), fds.size(), deadline ? &left : nullptr, nullptr);
  } while (ready < 0 && errno == EINTR);
  if (ready <= 0) return false;

  if (fds[0].revents & POLLIN) ServeCloseRequest();
  for (size_t i = 0; i < sources.size(); ++i) {
    // A callback may have unregistered a later source; skip what is gone.
    if ((fds[i + 1].revents & kReadyEvents) && IsEventSourceRegistered(sources[i].id)) sources[i].onReady();
  }
  return true;
}

// The first pass has no earlier one to be too close to, so it reads no
// clock: a run of one command never maps the clock's pages.
bool LinuxPump::NonBlockingPassDue() {
  if (!passed_) {
    passed_ = true;
    return true;
  }
  const Clock::time_point now = Clock::now();
  if (now - lastPass_ < kPassInterval) return false;
  lastPass_ = now;
  return true;
}

void LinuxPump::ServeCloseRequest() {
  signalfd_siginfo info{};
  if (read(signals_.Get(), &info, sizeof info) == static_cast<ssize_t>(sizeof info))
    EndProgram(128 + static_cast<int>(info.ssi_signo));
}

}  // namespace tolm
