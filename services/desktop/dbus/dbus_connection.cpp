#include "services/desktop/dbus/dbus_connection.h"

#include <poll.h>
#include <systemd/sd-bus.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>

#include "services/seams/debug_log.h"
#include "services/seams/event_pump.h"
#include "services/seams/event_sources.h"

namespace tolm {
namespace {

using Clock = DbusConnection::Clock;

// sd-bus reports its time-outs on CLOCK_MONOTONIC, which steady_clock reads.
Clock::time_point FromMonotonicUsec(uint64_t usec) {
  return Clock::time_point(std::chrono::duration_cast<Clock::duration>(std::chrono::microseconds(usec)));
}

// The session bus sd-bus connects to, as a user would name it, or empty
// when the environment names none.
std::string SessionBusAddress() {
  const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  if (address != nullptr && *address != '\0') return address;
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && *runtime != '\0') return std::string("unix:path=") + runtime + "/bus";
  return "";
}

struct PendingReply {
  bool done = false;
  DbusMessage reply;
};

int OnReply(sd_bus_message* message, void* data, sd_bus_error*) {
  auto* pending = static_cast<PendingReply*>(data);
  pending->reply = DbusMessage::Share(message);
  pending->done = true;
  return 1;
}

void ThrowIfError(DbusMessage& reply) {
  const sd_bus_error* error = sd_bus_message_get_error(reply.Get());
  if (error == nullptr) return;
  const std::string name = error->name != nullptr ? error->name : "org.freedesktop.DBus.Error.Failed";
  throw DbusError(name, error->message != nullptr ? error->message : "the call failed");
}

// Runs a handler for an incoming call and sends its reply, never letting an
// exception into sd-bus's C frames.
int OnMethodCall(sd_bus_message* message, void* data, sd_bus_error* error) {
  auto& handler = *static_cast<DbusMethodHandler*>(data);
  try {
    DbusMessage call = DbusMessage::Share(message);
    // A caller that wants no reply gets none; the handler still runs.
    const bool wantsReply = sd_bus_message_get_expect_reply(message) > 0;
    DbusMessage reply;
    if (wantsReply) {
      sd_bus_message* raw = nullptr;
      const int r = sd_bus_message_new_method_return(message, &raw);
      if (r < 0) return r;
      reply = DbusMessage::Adopt(raw);
    }
    handler(call, reply);
    return wantsReply ? sd_bus_send(nullptr, reply.Get(), nullptr) : 1;
  } catch (const DbusError& e) {
    return sd_bus_error_set(error, e.Name().c_str(), e.Message().c_str());
  } catch (const Exception& e) {
    return sd_bus_error_set(error, SD_BUS_ERROR_FAILED, e.Message().c_str());
  } catch (...) {
    return sd_bus_error_set(error, SD_BUS_ERROR_FAILED, "the call could not be handled");
  }
}

}  // namespace

DbusSlot::~DbusSlot() { sd_bus_slot_unref(slot_); }

DbusSlot::DbusSlot(DbusSlot&& other) noexcept : slot_(std::exchange(other.slot_, nullptr)) {}

DbusSlot& DbusSlot::operator=(DbusSlot&& other) noexcept {
  if (this != &other) {
    sd_bus_slot_unref(slot_);
    slot_ = std::exchange(other.slot_, nullptr);
  }
  return *this;
}

DbusObject::~DbusObject() = default;

std::unique_ptr<DbusConnection> DbusConnection::OpenSession(std::chrono::milliseconds timeout, std::string& reason) {
  sd_bus* bus = nullptr;
  const int r = sd_bus_open_user(&bus);
  if (r < 0) {
    const std::string address = SessionBusAddress();
    reason = address.empty() ? "there is no session bus (neither DBUS_SESSION_BUS_ADDRESS nor XDG_RUNTIME_DIR is set)"
                             : "cannot connect to the session bus \"" + address + "\": " + SysErrorDescription(-r);
    return nullptr;
  }
  std::unique_ptr<DbusConnection> connection(new DbusConnection(bus));
  try {
    // The bus has taken us once it has answered our Hello.
    if (!connection->WaitUntil([bus] { return sd_bus_is_ready(bus) > 0; }, Clock::now() + timeout)) {
      reason = "the session bus does not answer";
      return nullptr;
    }
  } catch (const DbusError& e) {
    reason = "cannot connect to the session bus: " + e.Message();
    return nullptr;
  }
  return connection;
}

DbusConnection::~DbusConnection() { sd_bus_flush_close_unref(bus_); }

DbusMessage DbusConnection::NewMethodCall(const std::string& destination, const std::string& path,
                                          const std::string& interface, const std::string& member) {
  sd_bus_message* raw = nullptr;
  const int r = sd_bus_message_new_method_call(bus_, &raw, destination.c_str(), path.c_str(), interface.c_str(),
                                               member.c_str());
  if (r < 0) ThrowDbusErrno("Cannot build a D-Bus call of " + member, r);
  return DbusMessage::Adopt(raw);
}

DbusMessage DbusConnection::Call(DbusMessage& call, std::chrono::milliseconds timeout) {
  PendingReply pending;
  sd_bus_slot* raw = nullptr;
  const auto usec = static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(timeout).count());
  const int r = sd_bus_call_async(bus_, &raw, call.Get(), OnReply, &pending, usec);
  if (r < 0) ThrowDbusErrno("Cannot send a D-Bus call", r);
  DbusSlot slot(raw);  // cancels the call if we stop waiting first
  // sd-bus answers a call that timed out with an error reply of its own; the
  // margin lets that reply arrive rather than racing it.
  const Clock::time_point deadline = Clock::now() + timeout + std::chrono::milliseconds(100);
  if (!WaitUntil([&pending] { return pending.done; }, deadline)) {
    throw DbusError(SD_BUS_ERROR_NO_REPLY, "No answer in time");
  }
  ThrowIfError(pending.reply);
  return std::move(pending.reply);
}

void DbusConnection::Send(DbusMessage& message) {
  sd_bus_message_set_expect_reply(message.Get(), 0);
  const int r = sd_bus_send(bus_, message.Get(), nullptr);
  if (r < 0) ThrowDbusErrno("Cannot send a D-Bus message", r);
}

void DbusConnection::FlushBefore(std::chrono::milliseconds limit) noexcept {
  const Clock::time_point deadline = Clock::now() + limit;
  for (;;) {
    // sd_bus_process writes what it can without blocking.
    if (sd_bus_process(bus_, nullptr) < 0) return;
    const int events = sd_bus_get_events(bus_);
    if (events < 0 || (events & POLLOUT) == 0) return;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return;
    pollfd one{sd_bus_get_fd(bus_), POLLOUT, 0};
    if (poll(&one, 1, static_cast<int>(left)) < 0 && errno != EINTR) return;
  }
}

void DbusConnection::ProcessAvailable() {
  for (;;) {
    const int r = sd_bus_process(bus_, nullptr);
    if (r < 0) ThrowDbusErrno("The connection to the session bus failed", r);
    if (r == 0) return;
  }
}

void DbusConnection::WaitSocket(Clock::time_point deadline) {
  const int events = sd_bus_get_events(bus_);
  if (events < 0) ThrowDbusErrno("The connection to the session bus failed", events);
  uint64_t busTimeout = UINT64_MAX;
  if (sd_bus_get_timeout(bus_, &busTimeout) >= 0 && busTimeout != UINT64_MAX) {
    deadline = std::min(deadline, FromMonotonicUsec(busTimeout));
  }
  const int fd = sd_bus_get_fd(bus_);
  const bool onPump = PumpCloseRequestDescriptor() >= 0;
  if (onPump && (events & POLLOUT) == 0) {
    bool ready = false;
    EventSourceRegistration watch = WatchEventSource(fd, [&ready] { ready = true; });
    while (!ready && Clock::now() < deadline) PumpWaitUntil(deadline);
    return;
  }
  // Writing (or no pump): poll the socket; on the pump in slices, so close
  // requests are served meanwhile.
  for (;;) {
    if (onPump) ProcessPendingMessages();
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return;
    const int slice = onPump ? static_cast<int>(std::min<long long>(left, 20)) : static_cast<int>(left);
    pollfd one{fd, static_cast<short>(events), 0};
    const int n = poll(&one, 1, slice);
    if (n > 0 || (n < 0 && errno != EINTR)) return;
  }
}

bool DbusConnection::WaitUntil(const std::function<bool()>& done, Clock::time_point deadline) {
  for (;;) {
    ProcessAvailable();
    if (done()) return true;
    if (Clock::now() >= deadline) return false;
    WaitSocket(deadline);
  }
}

DbusObject DbusConnection::ServeObject(const std::string& path, DbusMethodHandler handler) {
  DbusObject object;
  object.handler_ = std::make_unique<DbusMethodHandler>(std::move(handler));
  sd_bus_slot* raw = nullptr;
  const int r = sd_bus_add_object(bus_, &raw, path.c_str(), OnMethodCall, object.handler_.get());
  if (r < 0) ThrowDbusErrno("Cannot serve the D-Bus object " + path, r);
  object.slot_ = DbusSlot(raw);
  return object;
}

std::string DbusConnection::UniqueName() {
  const char* name = nullptr;
  const int r = sd_bus_get_unique_name(bus_, &name);
  if (r < 0) ThrowDbusErrno("Cannot read our name on the session bus", r);
  return name;
}

bool DbusConnection::OwnName(const std::string& name, std::chrono::milliseconds timeout, std::string& reason) {
  // RequestName flags: DBUS_NAME_FLAG_DO_NOT_QUEUE (4). Replies: 1 primary
  // owner, 3 exists (not queued), 4 already ours.
  DbusMessage call = NewMethodCall("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                   "RequestName");
  call.AppendString(name).AppendUint32(4);
  DbusMessage reply = Call(call, timeout);
  const uint32_t result = reply.ReadUint32();
  if (result == 1 || result == 4) return true;
  reason = "the name " + name + " on the session bus belongs to another program";
  return false;
}

std::optional<std::string> DbusConnection::NameOwner(const std::string& name, std::chrono::milliseconds timeout) {
  DbusMessage call = NewMethodCall("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                   "GetNameOwner");
  call.AppendString(name);
  try {
    DbusMessage reply = Call(call, timeout);
    return reply.ReadString();
  } catch (const DbusError& e) {
    if (e.Name() == "org.freedesktop.DBus.Error.NameHasNoOwner") return std::nullopt;
    throw;
  }
}

}  // namespace tolm
