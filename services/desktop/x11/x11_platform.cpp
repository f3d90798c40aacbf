#include "services/desktop/x11/x11_platform.h"

#include <X11/Xlib.h>

#include "services/desktop/x11/x11_errors.h"
#include "services/desktop/x11/x11_keyboard.h"
#include "services/desktop/x11/x11_show_mode.h"
#include "services/desktop/x11/x11_windows.h"

namespace tolm {
namespace {

struct X11Platform {
  X11Platform() {
    // Show-mode watchers use Xlib from their own threads (on their own connections).
    XInitThreads();
    InstallX11ErrorHandler();
  }
  SharedDisplay display;
  X11WindowSystem windows{display};
  X11Keyboard keyboard{display};
};

}  // namespace

DesktopBackend OpenX11Desktop() {
  static X11Platform platform;
  return DesktopBackend{&platform.windows, &platform.keyboard, WatchForShowMode};
}

}  // namespace tolm
