// The window module's one entry (its type and the rules of the boundary are
// in services/modules/window_module.h): the application object, the bridge to the
// program's event pump and the user interface, made on the first call that
// shows a window.
#include <QApplication>
#include <QByteArray>

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <stdexcept>
#include <string>
#include <type_traits>

#include "ui/qt/event_bridge.h"
#include "ui/qt/module/boundary_user_interface.h"
#include "ui/qt/qt_user_interface.h"
#include "services/modules/window_module.h"

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
  BoundaryUserInterface boundary{forms};

  WindowModule() {
    // The program has no main window: closing the last window must not end
    // the event loops that wait on it.
    QApplication::setQuitOnLastWindowClosed(false);
  }
};

void CopyReason(const char* reason, char* why, std::size_t whySize) {
  if (why && whySize > 0) std::snprintf(why, whySize, "%s", reason);
}

}  // namespace
}  // namespace tolm

extern "C" __attribute__((visibility("default"))) tolm::UserInterface* tolm_open_window_interface(
    char* why, std::size_t whySize) noexcept {
  try {
    tolm::CheckDisplayReachable();
    static tolm::WindowModule* const module = new tolm::WindowModule;  // lives until the process ends
    return &module->boundary;
  } catch (const std::exception& e) {
    tolm::CopyReason(e.what(), why, whySize);
  } catch (...) {
    tolm::CopyReason("unknown failure", why, whySize);
  }
  return nullptr;
}

static_assert(std::is_same_v<decltype(&tolm_open_window_interface), tolm::OpenWindowInterface>,
              "the entry has the type the program calls it with");
