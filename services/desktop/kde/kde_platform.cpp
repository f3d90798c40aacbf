#include "services/desktop/kde/kde_platform.h"

#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <optional>

#include "services/core/desktop_names.h"
#include "services/desktop/dbus/dbus_connection.h"
#include "services/desktop/kde/kde_keyboard.h"
#include "services/desktop/kde/kde_windows.h"
#include "services/desktop/kde/kwin_scripts.h"

namespace tolm {
namespace {

// The main thread's session bus connection with the services on it. It
// lives until the program ends (the program ends without destructors).
struct KdeDesktop {
  KdeDesktop(std::unique_ptr<DbusConnection> b, std::string busName)
      : bus(std::move(b)), scripts(*bus, std::move(busName)), windows(scripts), keyboard(*bus) {}
  std::unique_ptr<DbusConnection> bus;
  KWinScripts scripts;
  KdeWindowSystem windows;
  KdeKeyboard keyboard;
};

// A session that names its desktop another one is not KDE's, and the bus is
// not asked (it would cost a sway session's first window command about a
// millisecond); a session named KDE, or not named, is KDE's when KWin is on
// its bus.
std::unique_ptr<KdeDesktop> Connect(std::string& reason) {
  const char* currentDesktop = std::getenv("XDG_CURRENT_DESKTOP");
  if (currentDesktop != nullptr && *currentDesktop != '\0' && !NamesDesktop(currentDesktop, "KDE")) {
    reason = "XDG_CURRENT_DESKTOP is \"" + std::string(currentDesktop) + "\", not KDE";
    return nullptr;
  }
  std::unique_ptr<DbusConnection> bus = DbusConnection::OpenSession(kKWinAnswerTime, reason);
  if (!bus) return nullptr;
  try {
    if (!bus->NameOwner("org.kde.KWin", kKWinAnswerTime)) {
      reason = "KWin is not on the session bus (the name org.kde.KWin has no owner)";
      return nullptr;
    }
    // A name of this process's own: the scripts call back to it.
    const std::string name = "org.tolm.Tolm32.Pid" + std::to_string(getpid());
    if (!bus->OwnName(name, kKWinAnswerTime, reason)) return nullptr;
    return std::make_unique<KdeDesktop>(std::move(bus), name);
  } catch (const DbusError& e) {
    reason = "the session bus failed: " + e.Message();
    return nullptr;
  }
}

}  // namespace

bool OpenKdeDesktop(DesktopBackend& out, std::string& reason) {
  static std::unique_ptr<KdeDesktop> desktop;
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
