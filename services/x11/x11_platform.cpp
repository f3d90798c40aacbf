#include "services/x11/x11_platform.h"

#include <X11/Xlib.h>

#include "services/keys.h"
#include "services/show_mode.h"
#include "services/windows.h"
#include "services/x11/x11_errors.h"
#include "services/x11/x11_keyboard.h"
#include "services/x11/x11_show_mode.h"
#include "services/x11/x11_windows.h"

namespace tolm {
namespace {

struct X11Platform {
  SharedDisplay display;
  X11WindowSystem windows{display};
  X11Keyboard keyboard{display};
};

}  // namespace

void InstallX11Platform() {
  // Show-mode watchers use Xlib from their own threads (on their own connections).
  XInitThreads();
  InstallX11ErrorHandler();
  static X11Platform platform;
  SetWindowSystem(&platform.windows);
  SetKeyboardSystem(&platform.keyboard);
  SetShowModeHandler(WatchForShowMode);
}

}  // namespace tolm
