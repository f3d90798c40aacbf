// Types one key string into the focused window of a GNOME session through
// the GNOME backend, on the real event pump (so a close request ends it as it
// ends tolm32), after activating the first window whose title matches a
// pattern, when one is given:
//
//   gnome_keys_tool KEYSTRING [TITLE-PATTERN]
//
// With TOLM_DEBUG_LOG=FILE the backend's diagnostic lines go to FILE.
// Exit status 0 when typed; 1 with the failure on standard error.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "services/core/errors.h"
#include "services/desktop/gnome/gnome_platform.h"
#include "services/platform/linux/linux_platform.h"
#include "services/seams/debug_log.h"
#include "services/seams/desktop.h"
#include "services/seams/keyboard.h"
#include "services/seams/window_search.h"

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: gnome_keys_tool KEYSTRING [TITLE-PATTERN]\n");
    return 2;
  }
  try {
    if (const char* log = std::getenv("TOLM_DEBUG_LOG")) {
      tolm::DebugLogEnabled = true;
      tolm::DebugLogPath = log;
    }
    tolm::InstallLinuxPump();
    tolm::DesktopBackend desktop;
    std::string reason;
    if (!tolm::OpenGnomeDesktop(desktop, reason)) throw tolm::Exception(reason);
    tolm::InstallDesktop(desktop);
    if (argc == 3) {
      const tolm::WindowHandle window = tolm::FindWindowByTitle(argv[2]);
      if (window == tolm::kNoWindow) throw tolm::Exception(std::string("no window matches ") + argv[2]);
      tolm::WindowActivate(window);
    }
    tolm::SendKeys(argv[1]);
  } catch (const tolm::Exception& e) {
    std::fprintf(stderr, "%s\n", e.Message().c_str());
    return 1;
  }
  return 0;
}
