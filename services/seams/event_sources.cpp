#include "services/seams/event_sources.h"

#include <algorithm>
#include <utility>

namespace tolm {
namespace {

struct Registry {
  int nextId = 1;
  std::vector<EventSource> sources;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

void Unregister(int id) {
  auto& sources = TheRegistry().sources;
  std::erase_if(sources, [id](const EventSource& s) { return s.id == id; });
}

}  // namespace

EventSourceRegistration::~EventSourceRegistration() {
  if (id_ != 0) Unregister(id_);
}

EventSourceRegistration::EventSourceRegistration(EventSourceRegistration&& other) noexcept
    : id_(std::exchange(other.id_, 0)) {}

EventSourceRegistration& EventSourceRegistration::operator=(EventSourceRegistration&& other) noexcept {
  if (this != &other) {
    if (id_ != 0) Unregister(id_);
    id_ = std::exchange(other.id_, 0);
  }
  return *this;
}

EventSourceRegistration WatchEventSource(int fd, std::function<void()> onReady) {
  Registry& registry = TheRegistry();
  int id = registry.nextId++;
  registry.sources.push_back(EventSource{id, fd, std::move(onReady)});
  return EventSourceRegistration(id);
}

std::vector<EventSource> RegisteredEventSources() { return TheRegistry().sources; }

bool IsEventSourceRegistered(int id) {
  const auto& sources = TheRegistry().sources;
  return std::any_of(sources.begin(), sources.end(), [id](const EventSource& s) { return s.id == id; });
}

}  // namespace tolm
