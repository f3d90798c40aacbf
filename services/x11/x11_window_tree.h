// Lists every window of the X desktop with its title and class, in one
// pipelined pass: all requests of a tree level are sent before the first
// reply is read, so a desktop of a thousand windows costs a few round trips
// (one per tree level), not several per window.
#pragma once

#include <vector>

#include "services/windows.h"
#include "services/x11/x11_display.h"

namespace tolm {

class X11WindowTree {
 public:
  // Every window below the root of the default screen, depth-first, a
  // window's descendants before the window itself. Siblings are visited from
  // the top of the stacking order down, so the frontmost match comes first.
  // Title: _NET_WM_NAME (UTF-8 bytes as they are), else WM_NAME; class: the
  // class part of WM_CLASS, read only withClasses. Windows that vanish during
  // the walk are left out. Throws when there is no display.
  std::vector<WindowInfo> List(bool withClasses = true);

 private:
  void Connect();

  XcbConnection xcb_;
  xcb_window_t root_ = 0;
  xcb_atom_t netWmName_ = 0;
};

}  // namespace tolm
