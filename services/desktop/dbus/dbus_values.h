// The D-Bus values beyond DbusMessage's own basic ones: booleans and 64-bit
// integers to append, 64-bit integers and object paths to read, containers
// (arrays, structs, variants) to walk, and a{sv} dictionaries, whose values
// are read as far as a caller can use them.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "services/desktop/dbus/dbus_message.h"

namespace tolm {

DbusMessage& AppendBool(DbusMessage& message, bool value);
DbusMessage& AppendUint64(DbusMessage& message, uint64_t value);

// The next argument, which must be of that type; throw DbusError otherwise.
uint64_t ReadUint64(DbusMessage& message);
std::string ReadObjectPath(DbusMessage& message);

// Enters the next argument, a container of the type ('a' array, 'r' struct,
// 'v' variant, 'e' dictionary entry) with the contents signature given
// ("(tssib)" for the elements of an array of structs, "sv" for an entry).
// False when the enclosing array has no more elements; throws DbusError when
// the argument is something else.
bool EnterContainer(DbusMessage& message, char type, const char* contents);
// Leaves the container entered last, which must have been read to its end.
void ExitContainer(DbusMessage& message);

// One value of an a{sv} dictionary: texts (s, o, g), numbers (y, n, q, i, u,
// x, t, d) and booleans (b) are read; for any other type only the type is
// kept.
struct DbusVariant {
  char type = 0;
  std::string text;
  double number = 0;
  bool flag = false;
};

// Reads an a{sv} argument whole.
std::map<std::string, DbusVariant> ReadVariantDictionary(DbusMessage& message);

}  // namespace tolm
