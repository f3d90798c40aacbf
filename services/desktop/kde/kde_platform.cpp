#include "services/desktop/kde/kde_platform.h"

#include <unistd.h>

#include <memory>
#include <optional>

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

std::unique_ptr<KdeDesktop> Connect(std::string& reason) {
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
