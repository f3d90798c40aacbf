// The window system of an X desktop: the pipelined tree walk for searches
// and Xlib for the actions.
#pragma once

#include "services/seams/window_search.h"
#include "services/desktop/x11/x11_display.h"
#include "services/desktop/x11/x11_window_actions.h"
#include "services/desktop/x11/x11_window_tree.h"

namespace tolm {

class X11WindowSystem : public WindowSystem {
 public:
  explicit X11WindowSystem(SharedDisplay& display) : tree_(display), actions_(display) {}

  std::vector<WindowInfo> ListWindows(bool withClasses) override { return tree_.List(withClasses); }
  void Activate(WindowHandle window) override { actions_.Activate(window); }
  void Close(WindowHandle window) override { actions_.Close(window); }
  void Quit(WindowHandle window) override { actions_.Quit(window); }

 private:
  X11WindowTree tree_;
  X11WindowActions actions_;
};

}  // namespace tolm
