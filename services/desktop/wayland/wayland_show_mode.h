// Show modes of started programs on a wlroots compositor. The foreign
// toplevel protocol tells no process, so the window a started program opens
// is recognised as well as the protocol permits: the first toplevel that
// appears after the start (a watcher thread with its own connection notes
// the toplevels present at the start and waits at most kShowModeWatchTime
// for a new one). Another program opening a window in that moment can be
// taken for it.
//
//   3 "/max"         the toplevel is asked to maximise.
//   6 "/min"         the toplevel is asked to minimise. Compositors without
//                    minimised windows (sway among them) leave it as it is.
//   7 "/noactivate"  minimised like "/min".
//   0 "/hide"        the protocol cannot hide a window: minimised like "/min".
//   5 (no option)    nothing is done.
//
// The caller is delayed only by setting up the watcher's connection (the
// toplevels present are noted before the program can map its window); the
// watch itself runs on a watcher thread of its own (show_mode.h).
#pragma once

#include <chrono>

namespace tolm {

inline constexpr std::chrono::seconds kWaylandShowModeWatchTime{10};

// Starts the watch for the program just started and returns at once; throws
// Exception when its thread cannot be started.
void WatchWaylandShowMode(int pid, int showMode);

}  // namespace tolm
