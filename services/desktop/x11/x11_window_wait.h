// Waiting for a window to get ready, on the event pump. A window acted on
// right after it appeared may still be getting ready: its program maps it
// and sets its protocols a moment after naming it, and the window manager
// takes it on (WM_STATE) and moves the focus when it gets to it.
//
// The wait selects property, structure and focus events on the windows
// concerned and registers the X connection with the event pump, so a change
// to them wakes the wait at once, close requests are served meanwhile, and
// anything else the pump serves (a user interface) stays responsive. Changes
// that send no event to the windows watched (a window manager setting
// WM_STATE on a client inside its frame, a window becoming viewable because
// an ancestor is mapped) are caught by checking again every kRecheckInterval.
#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <functional>
#include <initializer_list>

namespace tolm {

inline constexpr std::chrono::milliseconds kWindowReadyTime{500};
inline constexpr std::chrono::milliseconds kRecheckInterval{50};

// Whether ready() holds within kWindowReadyTime, checking it first at once.
// The events are deselected and discarded again before it returns. Main
// thread only (it runs the pump).
bool WaitForWindow(Display* display, std::initializer_list<Window> watched, const std::function<bool()>& ready);

}  // namespace tolm
