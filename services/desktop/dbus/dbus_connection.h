// One connection to the session bus through sd-bus, served on the event pump.
//
// sd-bus's own blocking calls wait without a limit a close request could
// break, so nothing here uses them: a method call is sent asynchronously and
// its reply waited for with WaitUntil, which processes the bus and, between
// passes, blocks on the bus socket on the event pump (sd_bus_get_fd,
// sd_bus_get_events, sd_bus_get_timeout) up to a deadline. A close request
// therefore ends any wait at once. Incoming method calls to the objects a
// caller serves (ServeObject) are handled during those waits, and only then.
//
// Without a pump backend (a test, a tool) the waits block on the socket alone.
// Main thread only: sd-bus connections are not shared between threads.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "services/desktop/dbus/dbus_message.h"

struct sd_bus;
struct sd_bus_slot;

namespace tolm {

// Keeps a registration of sd-bus (an object, a pending call) while it lives.
class DbusSlot {
 public:
  DbusSlot() = default;
  explicit DbusSlot(sd_bus_slot* slot) : slot_(slot) {}
  ~DbusSlot();
  DbusSlot(DbusSlot&& other) noexcept;
  DbusSlot& operator=(DbusSlot&& other) noexcept;
  DbusSlot(const DbusSlot&) = delete;
  DbusSlot& operator=(const DbusSlot&) = delete;

 private:
  sd_bus_slot* slot_ = nullptr;
};

// Handles one incoming method call, appending the reply's arguments to reply
// (a method return; empty when the caller wants no reply). A DbusError it
// throws becomes the error reply; so does any other Exception, as
// org.freedesktop.DBus.Error.Failed.
using DbusMethodHandler = std::function<void(DbusMessage& call, DbusMessage& reply)>;

// An object served on the bus; unregistered when it goes.
class DbusObject {
 public:
  DbusObject() = default;
  DbusObject(DbusObject&&) noexcept = default;
  DbusObject& operator=(DbusObject&&) noexcept = default;
  ~DbusObject();

 private:
  friend class DbusConnection;
  std::unique_ptr<DbusMethodHandler> handler_;  // declared first: the slot goes first
  DbusSlot slot_;
};

class DbusConnection {
 public:
  using Clock = std::chrono::steady_clock;

  // Connects to the session bus (DBUS_SESSION_BUS_ADDRESS, else
  // $XDG_RUNTIME_DIR/bus) and waits, at most timeout, until the bus has
  // accepted us. nullptr with the reason when there is none.
  static std::unique_ptr<DbusConnection> OpenSession(std::chrono::milliseconds timeout, std::string& reason);
  ~DbusConnection();
  DbusConnection(const DbusConnection&) = delete;
  DbusConnection& operator=(const DbusConnection&) = delete;

  DbusMessage NewMethodCall(const std::string& destination, const std::string& path, const std::string& interface,
                            const std::string& member);
  // Sends the call and waits for its reply; throws DbusError for an error
  // reply, a broken connection or no reply within timeout.
  DbusMessage Call(DbusMessage& call, std::chrono::milliseconds timeout);
  // Queues a message that wants no reply.
  void Send(DbusMessage& message);
  // For the end of the program: writes what is queued, waiting at most limit
  // on the socket alone. Never throws.
  void FlushBefore(std::chrono::milliseconds limit) noexcept;

  // Processes the bus until done() holds (checked after every pass) or the
  // deadline passes; false on time-out. Throws DbusError when the connection fails.
  bool WaitUntil(const std::function<bool()>& done, Clock::time_point deadline);

  // Serves method calls to path (every interface and member) with handler.
  [[nodiscard]] DbusObject ServeObject(const std::string& path, DbusMethodHandler handler);

  // Our unique name (":1.42").
  std::string UniqueName();
  // Asks for a well-known name of our own, never queueing behind another
  // owner; false with the reason when someone else has it.
  bool OwnName(const std::string& name, std::chrono::milliseconds timeout, std::string& reason);
  // The unique name that owns a well-known name, nullopt when nobody does.
  std::optional<std::string> NameOwner(const std::string& name, std::chrono::milliseconds timeout);

 private:
  explicit DbusConnection(sd_bus* bus) : bus_(bus) {}
  // Dispatches everything sd-bus can without waiting.
  void ProcessAvailable();
  // Blocks until the socket wants attention, sd-bus's own next time-out, or
  // the deadline.
  void WaitSocket(Clock::time_point deadline);

  sd_bus* bus_;
};

}  // namespace tolm
