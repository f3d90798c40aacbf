// Connections to the X server. Opened lazily by the first window or key
// command, so a console run that never needs X never touches it.
#pragma once

#include <X11/Xlib.h>
#include <xcb/xcb.h>

#include <memory>
#include <string>

namespace tolm {

struct DisplayCloser {
  void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

struct XcbCloser {
  void operator()(xcb_connection_t* connection) const { xcb_disconnect(connection); }
};
using XcbPtr = std::unique_ptr<xcb_connection_t, XcbCloser>;

// "Cannot open display: <what> need(s) an X display (DISPLAY is not set)", or
// "(cannot connect to ":5")" when the server named by DISPLAY is unreachable.
std::string NoDisplayMessage(const std::string& what);

// Open the display named by DISPLAY or throw Exception(NoDisplayMessage(what)).
// An unset or empty DISPLAY fails without trying to connect.
DisplayPtr OpenDisplay(const std::string& what);
struct XcbConnection {
  XcbPtr connection;
  int screen = 0;
};
XcbConnection OpenXcb(const std::string& what);

// Discards every event queued on an Xlib connection, reading what has
// arrived without blocking: for connections whose events only wake a wait.
void DiscardQueuedEvents(Display* display);

// The lazily opened Xlib connection shared by the window actions and the
// keyboard of the main thread.
class SharedDisplay {
 public:
  // The connection, opened on first use; throws when there is no display.
  Display* Get(const std::string& what);

 private:
  DisplayPtr display_;
};

}  // namespace tolm
