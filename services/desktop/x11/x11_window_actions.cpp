#include "services/desktop/x11/x11_window_actions.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <optional>

#include "services/desktop/x11/x11_properties.h"
#include "services/desktop/x11/x11_window_wait.h"

namespace tolm {
namespace {

constexpr unsigned long kAllDesktops = 0xFFFFFFFF;

// A window with WM_STATE at or below window, depth-first.
std::optional<Window> ClientBelow(Display* d, Window window, Atom wmState) {
  if (HasProperty(d, window, wmState)) return window;
  for (Window child : ChildrenOf(d, window)) {
    if (auto found = ClientBelow(d, child, wmState)) return found;
  }
  return std::nullopt;
}

// Whether the input focus is on window or inside it.
bool HasFocus(Display* d, Window window) {
  Window focus = None;
  int revert = 0;
  XGetInputFocus(d, &focus, &revert);
  const Window root = DefaultRootWindow(d);
  while (focus != None && focus != PointerRoot && focus != root) {
    if (focus == window) return true;
    const std::optional<Window> parent = ParentOf(d, focus);
    if (!parent) return false;
    focus = *parent;
  }
  return false;
}

}  // namespace

Display* X11WindowActions::Get() { return display_.Get("window commands need"); }

std::optional<X11WindowActions::Target> X11WindowActions::Resolve(Window window) {
  Display* d = Get();
  // A window manager sets WM_STATE a moment after it maps a new window; a
  // window acted on at once may not carry it yet. Give the manager a little
  // time before taking the frame's place for the client's.
  std::optional<Target> target = ResolveOnce(window);
  if (!target || target->hasState || !WindowManagerRunning(d)) return target;
  WaitForWindow(d, {window, target->topLevel}, [&] {
    target = ResolveOnce(window);
    return !target || target->hasState;
  });
  return target;
}

std::optional<X11WindowActions::Target> X11WindowActions::ResolveOnce(Window window) {
  Display* d = Get();
  const Window root = DefaultRootWindow(d);
  if (window == root) return std::nullopt;
  const Atom wmState = InternAtom(d, "WM_STATE");
  Target target;
  Window current = window;
  while (current != root) {
    if (target.client == None && HasProperty(d, current, wmState)) target.client = current;
    const std::optional<Window> parent = ParentOf(d, current);
    if (!parent) return std::nullopt;
    if (*parent == root || *parent == None) break;
    current = *parent;
  }
  target.topLevel = current;
  if (target.client == None) {
    if (const std::optional<Window> below = ClientBelow(d, target.topLevel, wmState)) target.client = *below;
  }
  target.hasState = target.client != None;
  if (target.client == None) target.client = target.topLevel;
  return target;
}

Time X11WindowActions::ServerTime() {
  Display* d = Get();
  if (timeWindow_ == None) {
    XSetWindowAttributes attributes{};
    attributes.event_mask = PropertyChangeMask;
    timeWindow_ = XCreateWindow(d, DefaultRootWindow(d), -1, -1, 1, 1, 0, 0, InputOnly, CopyFromParent,
                                CWEventMask, &attributes);
  }
  // Appending nothing to a property still makes the server send a
  // PropertyNotify, stamped with its current time.
  const Atom stamp = InternAtom(d, "_TOLM_TIMESTAMP");
  XChangeProperty(d, timeWindow_, stamp, XA_STRING, 8, PropModeAppend, nullptr, 0);
  XEvent event;
  XWindowEvent(d, timeWindow_, PropertyChangeMask, &event);
  return event.xproperty.time;
}

void X11WindowActions::SendToRoot(Window about, Atom type, long l0, long l1, long l2) {
  SendClientMessage(Get(), about, type, {l0, l1, l2, 0}, true);
}

void X11WindowActions::Activate(WindowHandle window) {
  const std::optional<Target> target = Resolve(static_cast<Window>(window));
  if (!target) return;
  Display* d = Get();
  const Atom activeWindow = InternAtom(d, "_NET_ACTIVE_WINDOW");
  if (WindowManagerSupports(d, activeWindow)) {
    const Time now = ServerTime();
    const Atom currentDesktop = InternAtom(d, "_NET_CURRENT_DESKTOP");
    const auto desktop = PropertyItem(d, target->client, InternAtom(d, "_NET_WM_DESKTOP"));
    const auto current = PropertyItem(d, DefaultRootWindow(d), currentDesktop);
    if (desktop && current && *desktop != kAllDesktops && *desktop != *current) {
      SendToRoot(DefaultRootWindow(d), currentDesktop, static_cast<long>(*desktop), static_cast<long>(now), 0);
    }
    SendToRoot(target->client, activeWindow, kSourcePager, static_cast<long>(now), 0);
    // The manager moves the focus when it gets to the request; keys typed
    // next must not arrive before that.
    WaitForWindow(d, {target->topLevel, target->client}, [&] { return HasFocus(d, target->topLevel); });
  } else {
    XRaiseWindow(d, target->topLevel);
    const bool viewable = WaitForWindow(d, {target->topLevel, target->client}, [&] {
      XWindowAttributes attributes;
      return XGetWindowAttributes(d, target->client, &attributes) != 0 && attributes.map_state == IsViewable;
    });
    if (viewable) XSetInputFocus(d, target->client, RevertToParent, CurrentTime);
  }
  XSync(d, False);
}

void X11WindowActions::Close(WindowHandle window) {
  const std::optional<Target> target = Resolve(static_cast<Window>(window));
  if (!target) return;
  Display* d = Get();
  const Atom closeWindow = InternAtom(d, "_NET_CLOSE_WINDOW");
  // A withdrawn window (started with /hide) is no longer the manager's to
  // close: ask the window itself.
  const std::optional<unsigned long> state = PropertyItem(d, target->client, InternAtom(d, "WM_STATE"));
  const bool managed = state && *state != WithdrawnState;
  if (managed && WindowManagerSupports(d, closeWindow)) {
    SendToRoot(target->client, closeWindow, static_cast<long>(ServerTime()), kSourcePager, 0);
  } else {
    SendDeleteWindow(d, target->client);
  }
  XSync(d, False);
}

// The window's own close protocol, when it offers one; otherwise nothing.
void X11WindowActions::SendDeleteWindow(Display* d, Window client) {
  const Atom protocols = InternAtom(d, "WM_PROTOCOLS");
  const Atom deleteWindow = InternAtom(d, "WM_DELETE_WINDOW");
  const bool offered = WaitForWindow(d, {client}, [&] {
    const std::vector<unsigned long> items = PropertyItems(d, client, protocols);
    return std::find(items.begin(), items.end(), deleteWindow) != items.end();
  });
  if (!offered) return;
  SendClientMessage(d, client, protocols, {static_cast<long>(deleteWindow), static_cast<long>(ServerTime()), 0, 0},
                    false);
}

void X11WindowActions::Quit(WindowHandle window) {
  const std::optional<Target> target = Resolve(static_cast<Window>(window));
  if (!target) return;
  Display* d = Get();
  XKillClient(d, target->client);
  XSync(d, False);
}

}  // namespace tolm
