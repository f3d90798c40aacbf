// Show modes of started programs ("/hide", "/min", "/max", "/noactivate").
// The process layer knows which process was started; the desktop
// (desktop.h) knows how to find and change its first window.
//
// A program maps its window some time after it started, so the window layer
// applies the mode from a watcher thread (StartShowModeWatcher). Watchers are
// tracked: the program's normal end lets the pending ones finish first
// (FinishShowModeWatchers), so that a program started by the last line of a
// script still gets its mode. Each watcher ends on its own within a bounded time.
#pragma once

#include <cstddef>
#include <functional>

namespace tolm {

enum ShowMode : int {
  kShowHide = 0,            // "/hide"
  kShowMaximized = 3,       // "/max"
  kShowNormal = 5,          // no option
  kShowMinimized = 6,       // "/min"
  kShowMinNoActivate = 7,   // "/noactivate"
};

using ShowModeHandler = std::function<void(int pid, int showMode)>;

// Called by the process layer right after a start with a mode other than
// kShowNormal: the desktop's handler (desktop.h) applies it, opening the
// desktop if need be. Without a desktop installed, modes are not applied.
void ApplyShowMode(int pid, int showMode);

// Runs watch on a thread of its own and returns at once. An exception that
// leaves watch ends only that watcher. Throws Exception when no thread can
// be started.
void StartShowModeWatcher(std::function<void()> watch);

// Waits until every watcher started so far has ended, serving the event pump
// meanwhile (a close request still ends the program at once). Main thread only.
void FinishShowModeWatchers();

// Watchers started and not yet ended.
size_t RunningShowModeWatchers();

}  // namespace tolm
