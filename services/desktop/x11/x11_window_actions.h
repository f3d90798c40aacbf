// The window actions on X: bring to the front, close politely, kill the client.
//
// A window found by a search may be a child window (a control) or, under a
// reparenting window manager, the manager's frame. The actions are meant for
// the application's top-level window, so each first resolves the client
// window: the nearest of the window and its ancestors that carries WM_STATE
// (set by the window manager on every client it manages); failing that, a
// window with WM_STATE below the top-level ancestor (the case of a frame);
// failing that (no window manager), the top-level ancestor itself, the child
// of the root. Under a window manager a window that carries no WM_STATE yet
// is given up to half a second to be taken on before the last rule applies.
// Every wait for a window to get ready runs on the event pump
// (x11_window_wait.h), so a close request ends it at once.
#pragma once

#include <X11/Xlib.h>

#include <optional>

#include "services/seams/window_search.h"
#include "services/desktop/x11/x11_display.h"

namespace tolm {

class X11WindowActions {
 public:
  explicit X11WindowActions(SharedDisplay& display) : display_(display) {}

  // With an EWMH window manager that supports _NET_ACTIVE_WINDOW: switches to
  // the window's desktop if needed, then asks for activation (source 2, a
  // real server timestamp). Otherwise raises the top-level and gives the
  // client the input focus when it is viewable.
  void Activate(WindowHandle window);
  // _NET_CLOSE_WINDOW through the window manager, else the client's
  // WM_DELETE_WINDOW protocol message. Never destroys the window; a client
  // that offers neither is left alone.
  void Close(WindowHandle window);
  // XKillClient on the client window: the server closes its connection.
  void Quit(WindowHandle window);

 private:
  Display* Get();
  struct Target {
    Window client = None;
    Window topLevel = None;
    bool hasState = false;  // the client was recognised by WM_STATE
  };
  // nullopt when the window is gone.
  std::optional<Target> Resolve(Window window);
  std::optional<Target> ResolveOnce(Window window);
  Time ServerTime();
  void SendToRoot(Window about, Atom type, long l0, long l1, long l2);
  void SendDeleteWindow(Display* d, Window client);

  SharedDisplay& display_;
  Window timeWindow_ = None;  // an unmapped window of ours for timestamps
};

}  // namespace tolm
