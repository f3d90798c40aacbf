// What the GNOME backend's calls to GNOME Shell's process (our extension,
// GNOME Shell's own extension interface, Mutter's remote desktop) share:
// how long each may take, and the errors that say the called object is not
// there.
#pragma once

#include <chrono>

#include "services/desktop/dbus/dbus_message.h"

namespace tolm {

// Every call waits at most this long, on the event pump (a close request
// ends it at once).
inline constexpr std::chrono::seconds kShellAnswerTime{5};

// Whether a D-Bus error says that the object or interface called is not
// there (GNOME Shell answers so for an extension that is not enabled, Mutter
// for a session that has ended).
bool IsMissingObject(const DbusError& error);

}  // namespace tolm
