#include "services/desktop/dbus/dbus_message.h"

#include <systemd/sd-bus.h>

#include <cstring>
#include <utility>

#include "services/seams/debug_log.h"

namespace tolm {
namespace {

// The error sd-bus would name for an errno (it maps the common ones).
std::string ErrnoName(int code) {
  sd_bus_error error = SD_BUS_ERROR_NULL;
  sd_bus_error_set_errno(&error, code);
  std::string name = error.name != nullptr ? error.name : "org.freedesktop.DBus.Error.Failed";
  sd_bus_error_free(&error);
  return name;
}

template <typename T>
T ReadBasic(sd_bus_message* message, char type) {
  T value{};
  const int r = sd_bus_message_read_basic(message, type, &value);
  if (r < 0) ThrowDbusErrno("Cannot read a D-Bus message", r);
  if (r == 0) throw DbusError("org.freedesktop.DBus.Error.InvalidArgs", "A D-Bus message ended early");
  return value;
}

std::string OrEmpty(const char* text) { return text != nullptr ? text : ""; }

}  // namespace

void ThrowDbusErrno(const std::string& what, int negativeErrno) {
  throw DbusError(ErrnoName(-negativeErrno), what + ": " + SysErrorDescription(-negativeErrno));
}

DbusMessage DbusMessage::Share(sd_bus_message* message) { return DbusMessage(sd_bus_message_ref(message)); }

DbusMessage::~DbusMessage() { sd_bus_message_unref(message_); }

DbusMessage::DbusMessage(DbusMessage&& other) noexcept : message_(std::exchange(other.message_, nullptr)) {}

DbusMessage& DbusMessage::operator=(DbusMessage&& other) noexcept {
  if (this != &other) {
    sd_bus_message_unref(message_);
    message_ = std::exchange(other.message_, nullptr);
  }
  return *this;
}

DbusMessage& DbusMessage::AppendString(const std::string& value) {
  const int r = sd_bus_message_append_basic(message_, 's', value.c_str());
  if (r < 0) ThrowDbusErrno("Cannot build a D-Bus message", r);
  return *this;
}

DbusMessage& DbusMessage::AppendInt32(int32_t value) {
  const int r = sd_bus_message_append_basic(message_, 'i', &value);
  if (r < 0) ThrowDbusErrno("Cannot build a D-Bus message", r);
  return *this;
}

DbusMessage& DbusMessage::AppendUint32(uint32_t value) {
  const int r = sd_bus_message_append_basic(message_, 'u', &value);
  if (r < 0) ThrowDbusErrno("Cannot build a D-Bus message", r);
  return *this;
}

std::string DbusMessage::ReadString() { return ReadBasic<const char*>(message_, 's'); }
int32_t DbusMessage::ReadInt32() { return ReadBasic<int32_t>(message_, 'i'); }
uint32_t DbusMessage::ReadUint32() { return ReadBasic<uint32_t>(message_, 'u'); }
bool DbusMessage::ReadBool() { return ReadBasic<int>(message_, 'b') != 0; }

std::string DbusMessage::Sender() const { return OrEmpty(sd_bus_message_get_sender(message_)); }
std::string DbusMessage::Member() const { return OrEmpty(sd_bus_message_get_member(message_)); }
std::string DbusMessage::Interface() const { return OrEmpty(sd_bus_message_get_interface(message_)); }

}  // namespace tolm
