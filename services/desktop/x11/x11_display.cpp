#include "services/desktop/x11/x11_display.h"

#include <cstdlib>

#include "services/core/errors.h"

namespace tolm {
namespace {

const char* DisplayName() {
  const char* name = std::getenv("DISPLAY");
  return name != nullptr && *name != '\0' ? name : nullptr;
}

}  // namespace

std::string NoDisplayMessage(const std::string& what) {
  const char* name = DisplayName();
  const std::string reason = name == nullptr ? "DISPLAY is not set" : "cannot connect to \"" + std::string(name) + "\"";
  return "Cannot open display: " + what + " an X display (" + reason + ")";
}

DisplayPtr OpenDisplay(const std::string& what) {
  const char* name = DisplayName();
  DisplayPtr display(name != nullptr ? XOpenDisplay(name) : nullptr);
  if (!display) throw Exception(NoDisplayMessage(what));
  return display;
}

XcbConnection OpenXcb(const std::string& what) {
  const char* name = DisplayName();
  if (name == nullptr) throw Exception(NoDisplayMessage(what));
  XcbConnection result;
  // xcb_connect always returns an object, also on failure; it must be freed.
  result.connection.reset(xcb_connect(name, &result.screen));
  if (xcb_connection_has_error(result.connection.get()) != 0) throw Exception(NoDisplayMessage(what));
  return result;
}

void DiscardQueuedEvents(Display* display) {
  XEvent event;
  while (XPending(display) > 0) XNextEvent(display, &event);
}

Display* SharedDisplay::Get(const std::string& what) {
  if (!display_) display_ = OpenDisplay(what);
  return display_.get();
}

}  // namespace tolm
