#include "services/desktop/dbus/dbus_values.h"

#include <systemd/sd-bus.h>

namespace tolm {
namespace {

template <typename T>
T ReadBasic(DbusMessage& message, char type) {
  T value{};
  const int r = sd_bus_message_read_basic(message.Get(), type, &value);
  if (r < 0) ThrowDbusErrno("Cannot read a D-Bus message", r);
  if (r == 0) throw DbusError("org.freedesktop.DBus.Error.InvalidArgs", "A D-Bus message ended early");
  return value;
}

template <typename T>
DbusMessage& AppendBasic(DbusMessage& message, char type, T value) {
  const int r = sd_bus_message_append_basic(message.Get(), type, &value);
  if (r < 0) ThrowDbusErrno("Cannot build a D-Bus message", r);
  return message;
}

void Skip(DbusMessage& message, const char* types) {
  const int r = sd_bus_message_skip(message.Get(), types);
  if (r < 0) ThrowDbusErrno("Cannot read a D-Bus message", r);
}

// Reads the value of a variant the caller has entered; its type is contents.
DbusVariant ReadVariantValue(DbusMessage& message, const char* contents) {
  DbusVariant value;
  value.type = contents[0];
  if (contents[1] != '\0') {  // a container: its type alone
    Skip(message, contents);
    return value;
  }
  switch (value.type) {
    case 's': case 'o': case 'g': value.text = ReadBasic<const char*>(message, value.type); break;
    case 'b': value.flag = ReadBasic<int>(message, 'b') != 0; break;
    case 'y': value.number = ReadBasic<uint8_t>(message, 'y'); break;
    case 'n': value.number = ReadBasic<int16_t>(message, 'n'); break;
    case 'q': value.number = ReadBasic<uint16_t>(message, 'q'); break;
    case 'i': value.number = ReadBasic<int32_t>(message, 'i'); break;
    case 'u': value.number = ReadBasic<uint32_t>(message, 'u'); break;
    case 'x': value.number = static_cast<double>(ReadBasic<int64_t>(message, 'x')); break;
    case 't': value.number = static_cast<double>(ReadBasic<uint64_t>(message, 't')); break;
    case 'd': value.number = ReadBasic<double>(message, 'd'); break;
    default: Skip(message, contents); break;
  }
  return value;
}

}  // namespace

DbusMessage& AppendBool(DbusMessage& message, bool value) { return AppendBasic<int>(message, 'b', value ? 1 : 0); }
DbusMessage& AppendUint64(DbusMessage& message, uint64_t value) { return AppendBasic(message, 't', value); }

uint64_t ReadUint64(DbusMessage& message) { return ReadBasic<uint64_t>(message, 't'); }
std::string ReadObjectPath(DbusMessage& message) { return ReadBasic<const char*>(message, 'o'); }

bool EnterContainer(DbusMessage& message, char type, const char* contents) {
  const int r = sd_bus_message_enter_container(message.Get(), type, contents);
  if (r < 0) ThrowDbusErrno("Cannot read a D-Bus message", r);
  return r > 0;
}

void ExitContainer(DbusMessage& message) {
  const int r = sd_bus_message_exit_container(message.Get());
  if (r < 0) ThrowDbusErrno("Cannot read a D-Bus message", r);
}

std::map<std::string, DbusVariant> ReadVariantDictionary(DbusMessage& message) {
  std::map<std::string, DbusVariant> entries;
  EnterContainer(message, 'a', "{sv}");
  while (EnterContainer(message, 'e', "sv")) {
    std::string key = message.ReadString();
    const char* contents = nullptr;
    const int r = sd_bus_message_peek_type(message.Get(), nullptr, &contents);
    if (r < 0) ThrowDbusErrno("Cannot read a D-Bus message", r);
    EnterContainer(message, 'v', contents);
    entries[std::move(key)] = ReadVariantValue(message, contents);
    ExitContainer(message);  // the variant
    ExitContainer(message);  // the entry
  }
  ExitContainer(message);
  return entries;
}

}  // namespace tolm
