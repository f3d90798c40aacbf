// Lists every window of the X desktop with its title and class, in one
// pipelined pass: all requests of a tree level are sent before the first
// reply is read, so a desktop of a thousand windows costs a few round trips
// (one per tree level), not several per window.
#pragma once

#include <vector>

#include "services/seams/window_search.h"
#include "services/desktop/x11/x11_display.h"
#include "services/desktop/x11/x11_title_text.h"

namespace tolm {

class X11WindowTree {
 public:
  // xlib converts COMPOUND_TEXT titles; it is opened only when one is met.
  explicit X11WindowTree(SharedDisplay& xlib) : xlib_(xlib) {}

  // Every window below the root of the default screen, depth-first, a
  // window's descendants before the window itself. Siblings are visited from
  // the top of the stacking order down, so the frontmost match comes first.
  // Title: _NET_WM_NAME (UTF-8 bytes as they are), else WM_NAME converted to
  // UTF-8 by its type (x11_title_text.h); class: the class part of WM_CLASS
  // (bytes as they are), read only withClasses. Windows that vanish during
  // the walk are left out. Throws when there is no display.
  std::vector<WindowInfo> List(bool withClasses = true);

 private:
  void Connect();

  SharedDisplay& xlib_;
  XcbConnection xcb_;
  xcb_window_t root_ = 0;
  xcb_atom_t netWmName_ = 0;
  TitleTypes titleTypes_;
};

}  // namespace tolm
