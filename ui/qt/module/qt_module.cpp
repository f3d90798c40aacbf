// The window module's one entry (services/modules/boundary.h): the
// application object, the bridge to the program's event pump and the user
// interface, made on the first call that shows a window.
#include <QApplication>
#include <QByteArray>

#include <xcb/xcb.h>

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <type_traits>

#include "services/modules/guest/guest.h"
#include "ui/qt/event_bridge.h"
#include "ui/qt/qt_user_interface.h"

namespace tolm {
namespace {

// Qt ends the process when it cannot reach its display; the program must say
// so and go on with the console instead. So the display is tried first (for
// the X platform, Qt's default; other platforms are left to Qt).
void CheckDisplayReachable() {
  QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  if (!platform.isEmpty() && !platform.startsWith("xcb")) return;
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  int error = xcb_connection_has_error(connection);
  xcb_disconnect(connection);
  if (error != 0) {
    const char* display = std::getenv("DISPLAY");
    throw std::runtime_error(std::string("cannot connect to the display ") + (display ? display : ""));
  }
}

// Everything the module keeps for the rest of the run. No application display
// name is set: Qt would append it to every window title, and scripts find the
// program's windows by their exact titles.
struct WindowModule {
  int argc = 1;
  char name[7] = "tolm32";
  char* argv[2] = {name, nullptr};
  QApplication application{argc, argv};
  EventBridge bridge;
  QtUserInterface forms;

  WindowModule() {
    // The program has no main window: closing the last window must not end
    // the event loops that wait on it.
    QApplication::setQuitOnLastWindowClosed(false);
  }
};

UserInterface& OpenWindows() {
  CheckDisplayReachable();
  static WindowModule* const module = new WindowModule;  // lives until the process ends
  return module->forms;
}

}  // namespace
}  // namespace tolm

extern "C" __attribute__((visibility("default"))) bool tolm_module_entry(const tolm::HostTable* host,
                                                                        tolm::ModuleOffer* offer,
                                                                        tolm::Failure* why) noexcept {
  return tolm::OfferWindows(host, offer, why, tolm::OpenWindows);
}

static_assert(std::is_same_v<decltype(&tolm_module_entry), tolm::ModuleEntry>,
              "the entry has the type the program calls it with");
