// The event pump as a module uses it: the program's pump, through the host.
#include <utility>

#include "services/modules/guest/guest.h"
#include "services/seams/event_pump.h"
#include "services/seams/event_sources.h"
#include "services/seams/toolkit_loop.h"

namespace tolm {

void ProcessPendingMessages() { RaiseFailure(Host().processPendingMessages()); }

bool PumpWaitUntil(Deadline deadline) {
  bool woke = true;  // a failed wait must not look like a quiet time-out
  RaiseFailure(Host().pumpWaitUntil(deadline, woke));
  return woke;
}

int PumpCloseRequestDescriptor() noexcept {
  const HostTable* host = LinkedHost();
  return host ? host->closeRequestDescriptor() : -1;
}

void ServeCloseRequest() noexcept {
  if (const HostTable* host = LinkedHost()) host->serveCloseRequest();
}

void AttachToolkitLoop(ToolkitLoop* loop) noexcept {
  if (const HostTable* host = LinkedHost()) host->attachToolkitLoop(loop);
}

EventSourceRegistration WatchEventSource(int fd, std::function<void()> onReady) {
  int id = 0;
  RaiseFailure(Host().watchEventSource(
      fd, [onReady = std::move(onReady)]() noexcept { return FailureOf(onReady); }, id));
  return EventSourceRegistration(id);
}

EventSourceRegistration::~EventSourceRegistration() {
  if (id_ != 0) LinkedHost()->unwatchEventSource(id_);
}

EventSourceRegistration::EventSourceRegistration(EventSourceRegistration&& other) noexcept
    : id_(std::exchange(other.id_, 0)) {}

EventSourceRegistration& EventSourceRegistration::operator=(EventSourceRegistration&& other) noexcept {
  if (this != &other) {
    if (id_ != 0) LinkedHost()->unwatchEventSource(id_);
    id_ = std::exchange(other.id_, 0);
  }
  return *this;
}

}  // namespace tolm
