#include "services/desktop/gnome/gnome_platform.h"

#include <cstdlib>
#include <memory>

#include "services/core/desktop_names.h"
#include "services/desktop/dbus/dbus_connection.h"
#include "services/desktop/gnome/gnome_keyboard.h"
#include "services/desktop/gnome/gnome_windows.h"
#include "services/desktop/gnome/shell_extension.h"

namespace tolm {
namespace {

// The main thread's session bus connection with the services on it. It
// lives until the program ends (the program ends without destructors), and
// so does the remote desktop session it holds.
struct GnomeDesktop {
  explicit GnomeDesktop(std::unique_ptr<DbusConnection> b)
      : bus(std::move(b)), shell(*bus), windows(shell), keyboard(*bus, shell) {}
  std::unique_ptr<DbusConnection> bus;
  ShellExtension shell;
  GnomeWindowSystem windows;
  GnomeKeyboard keyboard;
};

// The reasons are read after "not GNOME: " in the diagnostic line and after
// "GNOME: " in the failure of a session nothing can reach
// (services/modules/desktop_modules.h).
//
// A session that says which desktop it is decides by that; one that says
// nothing (a program started from outside the desktop's own environment)
// is GNOME's when GNOME Shell is on its session bus.
std::unique_ptr<GnomeDesktop> Connect(std::string& reason) {
  const char* currentDesktop = std::getenv("XDG_CURRENT_DESKTOP");
  const bool unnamed = currentDesktop == nullptr || *currentDesktop == '\0';
  if (!unnamed && !NamesDesktop(currentDesktop, "GNOME")) {
    reason = "XDG_CURRENT_DESKTOP is \"" + std::string(currentDesktop) + "\", not GNOME";
    return nullptr;
  }
  const std::string unset = unnamed ? "XDG_CURRENT_DESKTOP is not set and " : "";
  std::string busReason;
  std::unique_ptr<DbusConnection> bus = DbusConnection::OpenSession(kShellAnswerTime, busReason);
  if (!bus) {
    reason = unnamed ? unset + "there is no session bus (" + busReason + ")" : busReason;
    return nullptr;
  }
  try {
    if (!bus->NameOwner("org.gnome.Shell", kShellAnswerTime)) {
      reason = unset + "GNOME Shell is not on the session bus (the name org.gnome.Shell has no owner)";
      return nullptr;
    }
  } catch (const DbusError& e) {
    reason = "the session bus failed: " + e.Message();
    return nullptr;
  }
  return std::make_unique<GnomeDesktop>(std::move(bus));
}

}  // namespace

bool OpenGnomeDesktop(DesktopBackend& out, std::string& reason) {
  static std::unique_ptr<GnomeDesktop> desktop;
  if (!desktop) {
    desktop = Connect(reason);
    if (!desktop) return false;
  }
  out.windows = &desktop->windows;
  out.keyboard = &desktop->keyboard;
  out.showMode = nullptr;
  return true;
}

}  // namespace tolm
