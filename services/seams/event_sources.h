// Extra event sources for the event pump: a file descriptor (an X or Qt
// connection, a child process's pidfd) and what to do when it is readable.
// The pump watches every registered source whenever it waits, and calls the
// callback of each source that is ready. A callback must consume what made
// its source ready, or the pump wakes again at once.
#pragma once

#include <functional>
#include <vector>

namespace tolm {

struct EventSource {
  int id = 0;
  int fd = -1;
  std::function<void()> onReady;
};

// Keeps a source registered for as long as it lives.
class EventSourceRegistration {
 public:
  EventSourceRegistration() = default;
  explicit EventSourceRegistration(int id) : id_(id) {}
  ~EventSourceRegistration();
  EventSourceRegistration(EventSourceRegistration&& other) noexcept;
  EventSourceRegistration& operator=(EventSourceRegistration&& other) noexcept;
  EventSourceRegistration(const EventSourceRegistration&) = delete;
  EventSourceRegistration& operator=(const EventSourceRegistration&) = delete;

  int Id() const { return id_; }

 private:
  int id_ = 0;
};

// Registers fd (not owned: the caller keeps it open while registered).
[[nodiscard]] EventSourceRegistration WatchEventSource(int fd, std::function<void()> onReady);

// A copy of the registered sources, in registration order, for the pump.
std::vector<EventSource> RegisteredEventSources();
// Whether the source with this id is still registered (a callback may have
// removed a later one).
bool IsEventSourceRegistered(int id);

}  // namespace tolm
