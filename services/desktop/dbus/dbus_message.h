// D-Bus messages and errors over sd-bus (libsystemd): a message owned by
// reference count, its arguments appended and read in order, and the
// exception a failed call or a malformed message raises.
#pragma once

#include <cstdint>
#include <string>

#include "services/core/errors.h"

struct sd_bus_message;

namespace tolm {

// A D-Bus error: its name (org.freedesktop.DBus.Error.UnknownObject, ...) and
// the text the peer or sd-bus gave. The message is "<text> (<name>)".
class DbusError : public Exception {
 public:
  DbusError(std::string name, const std::string& text)
      : Exception(text + " (" + name + ")"), name_(std::move(name)) {}
  const std::string& Name() const noexcept { return name_; }

 private:
  std::string name_;
};

// The error sd-bus reports as a negative errno, named after it.
[[noreturn]] void ThrowDbusErrno(const std::string& what, int negativeErrno);

class DbusMessage {
 public:
  DbusMessage() = default;
  // Takes over one reference (sd-bus hands out new messages with one).
  static DbusMessage Adopt(sd_bus_message* message) { return DbusMessage(message); }
  // Adds a reference of our own (for a message sd-bus keeps).
  static DbusMessage Share(sd_bus_message* message);
  ~DbusMessage();
  DbusMessage(DbusMessage&& other) noexcept;
  DbusMessage& operator=(DbusMessage&& other) noexcept;
  DbusMessage(const DbusMessage&) = delete;
  DbusMessage& operator=(const DbusMessage&) = delete;

  sd_bus_message* Get() const { return message_; }
  explicit operator bool() const { return message_ != nullptr; }

  DbusMessage& AppendString(const std::string& value);
  DbusMessage& AppendInt32(int32_t value);
  DbusMessage& AppendUint32(uint32_t value);
  // The next argument, which must be of that type; throws DbusError otherwise.
  std::string ReadString();
  int32_t ReadInt32();
  uint32_t ReadUint32();
  bool ReadBool();

  // The sender's unique name, the member and the interface ("" when absent).
  std::string Sender() const;
  std::string Member() const;
  std::string Interface() const;

 private:
  explicit DbusMessage(sd_bus_message* message) : message_(message) {}
  sd_bus_message* message_ = nullptr;
};

}  // namespace tolm
