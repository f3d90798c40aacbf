// Small typed readers of window properties over Xlib, each one round trip.
#pragma once

#include <X11/Xlib.h>

#include <array>
#include <optional>
#include <vector>

namespace tolm {

// EWMH source indication of a request: from a pager or a similar tool, which
// window managers honour without second-guessing as they do applications.
inline constexpr long kSourcePager = 2;

// The atom of a name, created if new (Xlib caches it: one round trip per name).
Atom InternAtom(Display* display, const char* name);

// The 32-bit items (atoms, windows, cardinals) of a property; empty when the
// window or the property is missing.
std::vector<unsigned long> PropertyItems(Display* display, Window window, Atom property);
std::optional<unsigned long> PropertyItem(Display* display, Window window, Atom property);
bool HasProperty(Display* display, Window window, Atom property);

// The parent of a window, or nullopt when the window is gone.
std::optional<Window> ParentOf(Display* display, Window window);
// The children of a window, bottom of the stacking order first.
std::vector<Window> ChildrenOf(Display* display, Window window);

// Whether a window manager that follows the EWMH runs: its check window is
// alive and names itself.
bool WindowManagerRunning(Display* display);
// Whether it runs and lists the hint in _NET_SUPPORTED.
bool WindowManagerSupports(Display* display, Atom hint);

// A 32-bit client message of type about a window. To the root window it is
// a request to the window manager (sent with the substructure masks); to
// the window itself it is a protocol message (sent with no mask).
void SendClientMessage(Display* display, Window about, Atom type, std::array<long, 4> data, bool toRoot);

}  // namespace tolm
