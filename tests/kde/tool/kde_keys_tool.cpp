// Types one key string into the focused window of a KDE Plasma session
// through the KDE backend, on the real event pump (so a close request ends
// it as it ends tolm32):
//
//   kde_keys_tool KEYSTRING
//
// Exit status 0 when typed; 1 with the failure on standard error.
#include <cstdio>
#include <string>

#include "services/core/errors.h"
#include "services/desktop/kde/kde_platform.h"
#include "services/seams/desktop.h"
#include "services/platform/linux/linux_platform.h"
#include "services/seams/keyboard.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: kde_keys_tool KEYSTRING\n");
    return 2;
  }
  try {
    tolm::InstallLinuxPump();
    tolm::DesktopBackend desktop;
    std::string reason;
    if (!tolm::OpenKdeDesktop(desktop, reason)) throw tolm::Exception(reason);
    tolm::InstallDesktop(desktop);
    tolm::SendKeys(argv[1]);
  } catch (const tolm::Exception& e) {
    std::fprintf(stderr, "%s\n", e.Message().c_str());
    return 1;
  }
  return 0;
}
