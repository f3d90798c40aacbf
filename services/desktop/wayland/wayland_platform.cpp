#include "services/desktop/wayland/wayland_platform.h"

#include <memory>

#include "services/desktop/wayland/wayland_connection.h"
#include "services/desktop/wayland/wayland_keyboard.h"
#include "services/desktop/wayland/wayland_show_mode.h"
#include "services/desktop/wayland/wayland_windows.h"

namespace tolm {
namespace {

// The main thread's connection with the services on it. It lives until the
// program ends (the program ends without destructors).
struct WaylandDesktop {
  explicit WaylandDesktop(std::unique_ptr<WaylandConnection> c)
      : connection(std::move(c)), windows(*connection), keyboard(*connection) {}
  std::unique_ptr<WaylandConnection> connection;
  WaylandWindowSystem windows;
  WaylandKeyboard keyboard;
};

}  // namespace

bool OpenWaylandDesktop(DesktopBackend& out, std::string& reason) {
  static std::unique_ptr<WaylandDesktop> desktop;
  if (!desktop) {
    std::unique_ptr<WaylandConnection> connection = WaylandConnection::Open(WaitStyle::kPump, reason);
    if (!connection) return false;
    desktop = std::make_unique<WaylandDesktop>(std::move(connection));
  }
  out.windows = &desktop->windows;
  out.keyboard = &desktop->keyboard;
  out.showMode = WatchWaylandShowMode;
  return true;
}

}  // namespace tolm
