#include "services/desktop/wayland/wayland_windows.h"

#include <wayland-client.h>

#include "services/seams/debug_log.h"
#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"

namespace tolm {

std::vector<WindowInfo> WaylandWindowSystem::ListWindows(bool withClasses) {
  // The events so far: windows that appeared, changed or went.
  connection_.Roundtrip();
  std::vector<WindowInfo> windows;
  for (const WaylandToplevel* t : toplevels_.Current()) {
    windows.push_back(WindowInfo{t->id, t->title, withClasses ? t->appId : std::string()});
  }
  return windows;
}

void WaylandWindowSystem::Activate(WindowHandle window) {
  if (auto* handle = toplevels_.Find(window)) zwlr_foreign_toplevel_handle_v1_activate(handle, connection_.Seat());
  connection_.Roundtrip();
}

void WaylandWindowSystem::Close(WindowHandle window) {
  if (auto* handle = toplevels_.Find(window)) zwlr_foreign_toplevel_handle_v1_close(handle);
  connection_.Roundtrip();
}

void WaylandWindowSystem::Quit(WindowHandle window) {
  DebugLog("Wayland: the compositor does not tell which program owns window " + std::to_string(window) +
           "; sending the close request instead of ending the program");
  Close(window);
}

}  // namespace tolm
