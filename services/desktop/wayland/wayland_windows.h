// The window system of a wlroots compositor: its toplevel windows through
// the foreign toplevel manager.
//
//   search        every toplevel, the active one first, then from the newest
//                 to the oldest; its title, and its app id as the class name.
//                 A compositor shows no window inside another, so there are
//                 no child windows.
//   /activate     the toplevel is activated on our seat (the compositor
//                 raises it, switches to its workspace and gives it the
//                 keyboard focus).
//   /close        the polite close request: the compositor asks the program
//                 to close the window, as its close button would.
//   /killwindow   the protocol does not tell which program owns a toplevel,
//                 so it cannot be ended from here: the close request is sent
//                 instead, and the diagnostic log says so.
//
// Each action ends with a round trip, so the compositor has handled it when
// the command goes on. A toplevel that has gone meanwhile is skipped quietly.
#pragma once

#include "services/desktop/wayland/wayland_connection.h"
#include "services/desktop/wayland/wayland_toplevels.h"
#include "services/seams/window_search.h"

namespace tolm {

class WaylandWindowSystem : public WindowSystem {
 public:
  explicit WaylandWindowSystem(WaylandConnection& connection) : connection_(connection), toplevels_(connection) {}

  std::vector<WindowInfo> ListWindows(bool withClasses) override;
  void Activate(WindowHandle window) override;
  void Close(WindowHandle window) override;
  void Quit(WindowHandle window) override;

 private:
  WaylandConnection& connection_;
  WaylandToplevels toplevels_;
};

}  // namespace tolm
