// Show modes of started programs on X. A program maps its own windows, so
// the mode is applied afterwards: a watcher thread with its own connection
// waits (at most kShowModeWatchTime) for the first top-level window that the
// started process maps, recognised by _NET_WM_PID, and then changes it:
//
//   0 "/hide"        the window is withdrawn (XWithdrawWindow): unmapped, and
//                    the window manager forgets it.
//   3 "/max"         _NET_WM_STATE gets _NET_WM_STATE_MAXIMIZED_VERT and
//                    _HORZ through the window manager; without an EWMH
//                    window manager the window is resized to the screen.
//   6 "/min"         the window is iconified (XIconifyWindow, the ICCCM
//                    request to the window manager). Without a window
//                    manager there is no iconic state and the window stays.
//   7 "/noactivate"  iconified like "/min": a minimised window does not take
//                    the focus, which is what "show minimised without
//                    activating" asks for.
//   5 (no option)    nothing is done.
//
// The caller is never delayed: the watch runs on a watcher thread of its own
// (show_mode.h), which the end of the run lets finish. A program
// that maps no window of its own (or one without _NET_WM_PID) is not changed.
#pragma once

#include <chrono>

namespace tolm {

inline constexpr std::chrono::seconds kShowModeWatchTime{10};

// Starts the watch for pid and returns at once; throws Exception when its
// thread cannot be started.
void WatchForShowMode(int pid, int showMode);

}  // namespace tolm
