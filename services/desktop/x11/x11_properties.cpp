#include "services/desktop/x11/x11_properties.h"

#include <X11/Xatom.h>

#include <algorithm>
#include <memory>

namespace tolm {
namespace {

struct XFreeDeleter {
  void operator()(void* p) const {
    if (p != nullptr) XFree(p);
  }
};

}  // namespace

Atom InternAtom(Display* display, const char* name) { return XInternAtom(display, name, False); }

std::vector<unsigned long> PropertyItems(Display* display, Window window, Atom property) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* raw = nullptr;
  const int status = XGetWindowProperty(display, window, property, 0, 4096, False, AnyPropertyType, &type,
                                        &format, &count, &after, &raw);
  std::unique_ptr<unsigned char, XFreeDeleter> data(raw);
  if (status != Success || format != 32 || !data) return {};
  // Xlib hands 32-bit items over as longs.
  const auto* items = reinterpret_cast<const unsigned long*>(data.get());
  return std::vector<unsigned long>(items, items + count);
}

std::optional<unsigned long> PropertyItem(Display* display, Window window, Atom property) {
  const std::vector<unsigned long> items = PropertyItems(display, window, property);
  if (items.empty()) return std::nullopt;
  return items.front();
}

bool HasProperty(Display* display, Window window, Atom property) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* raw = nullptr;
  const int status =
      XGetWindowProperty(display, window, property, 0, 0, False, AnyPropertyType, &type, &format, &count, &after, &raw);
  std::unique_ptr<unsigned char, XFreeDeleter> data(raw);
  return status == Success && type != None;
}

namespace {

struct TreeLinks {
  bool ok = false;
  Window parent = None;
  std::vector<Window> children;
};

TreeLinks QueryTree(Display* display, Window window) {
  Window root = None;
  TreeLinks links;
  Window* children = nullptr;
  unsigned int count = 0;
  links.ok = XQueryTree(display, window, &root, &links.parent, &children, &count) != 0;
  std::unique_ptr<Window, XFreeDeleter> owned(children);
  if (links.ok && owned) links.children.assign(owned.get(), owned.get() + count);
  return links;
}

}  // namespace

std::optional<Window> ParentOf(Display* display, Window window) {
  TreeLinks links = QueryTree(display, window);
  if (!links.ok) return std::nullopt;
  return links.parent;
}

std::vector<Window> ChildrenOf(Display* display, Window window) { return QueryTree(display, window).children; }

bool WindowManagerRunning(Display* display) {
  const Window root = DefaultRootWindow(display);
  const Atom check = InternAtom(display, "_NET_SUPPORTING_WM_CHECK");
  const std::optional<unsigned long> wm = PropertyItem(display, root, check);
  // A window manager that has ended may leave its root properties behind;
  // its check window then no longer exists.
  return wm && PropertyItem(display, *wm, check) == wm;
}

bool WindowManagerSupports(Display* display, Atom hint) {
  if (!WindowManagerRunning(display)) return false;
  const std::vector<unsigned long> supported =
      PropertyItems(display, DefaultRootWindow(display), InternAtom(display, "_NET_SUPPORTED"));
  return std::find(supported.begin(), supported.end(), hint) != supported.end();
}

void SendClientMessage(Display* display, Window about, Atom type, std::array<long, 4> data, bool toRoot) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = about;
  event.xclient.message_type = type;
  event.xclient.format = 32;
  for (size_t i = 0; i < data.size(); ++i) event.xclient.data.l[i] = data[i];
  if (toRoot)
    XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
  else
    XSendEvent(display, about, False, NoEventMask, &event);
}

}  // namespace tolm
