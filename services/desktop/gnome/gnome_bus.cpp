#include "services/desktop/gnome/gnome_bus.h"

namespace tolm {

bool IsMissingObject(const DbusError& error) {
  return error.Name() == "org.freedesktop.DBus.Error.UnknownMethod" ||
         error.Name() == "org.freedesktop.DBus.Error.UnknownObject" ||
         error.Name() == "org.freedesktop.DBus.Error.UnknownInterface";
}

}  // namespace tolm
