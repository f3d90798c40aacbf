#include "services/seams/event_pump.h"

#include <string>
#include <thread>

#include "services/seams/debug_log.h"
#include "services/seams/event_sources.h"
#include "services/seams/pump_backend.h"

namespace tolm {
namespace {

using Clock = std::chrono::steady_clock;

PumpBackend*& Backend() {
  static PumpBackend* backend = nullptr;
  return backend;
}

// The numbers the diagnostic line has always shown: 0 for an event, 258 for
// a time-out.
constexpr unsigned kWokeByEvent = 0;
constexpr unsigned kTimedOut = 258;

}  // namespace

void SetPumpBackend(PumpBackend* backend) { Backend() = backend; }

void ProcessPendingMessages() {
  if (Backend()) Backend()->WaitAndServe(Clock::time_point::min());
}

bool PumpWaitUntil(Clock::time_point deadline) {
  std::optional<Clock::time_point> limit;
  if (deadline != Clock::time_point::max()) limit = deadline;
  if (Backend()) return Backend()->WaitAndServe(limit);
  if (!limit) return false;  // nothing could ever wake us
  std::this_thread::sleep_until(deadline);
  return false;
}

void PumpWaitReadable(int fd) {
  if (!Backend()) {
    WaitReadableWithoutPump(fd);
    return;
  }
  bool ready = false;
  EventSourceRegistration watch = WatchEventSource(fd, [&ready] { ready = true; });
  while (!ready) Backend()->WaitAndServe(std::nullopt);
}

int PumpCloseRequestDescriptor() noexcept { return Backend() ? Backend()->CloseRequestDescriptor() : -1; }

void ServeCloseRequest() noexcept {
  if (Backend()) Backend()->ServeCloseRequest();
}

void PumpingSleep(int ms) {
  if (ms <= 0) {
    ProcessPendingMessages();
    return;
  }
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(ms);
  ProcessPendingMessages();
  while (Clock::now() < deadline) {
    bool woke = PumpWaitUntil(deadline);
    DebugLog("MsgWaitForMultipleObjects() returned " + std::to_string(woke ? kWokeByEvent : kTimedOut));
  }
}

}  // namespace tolm
