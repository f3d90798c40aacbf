// One kind of desktop session (X11, a Wayland compositor, Windows): its
// windows, its keyboard and how it applies show modes to started programs.
// The program installs the way to open the session's desktop at start; the
// first window, key or show-mode command opens it (on Linux by loading its
// module, services/modules/desktop_modules.h), so runs without such
// commands never touch the desktop.
#pragma once

#include <functional>

#include "services/seams/keyboard.h"
#include "services/seams/show_mode.h"
#include "services/seams/window_search.h"

namespace tolm {

struct DesktopBackend {
  WindowSystem* windows = nullptr;     // not owned; lives until the program ends
  KeyboardSystem* keyboard = nullptr;  // not owned; lives until the program ends
  ShowModeHandler showMode;            // empty: show modes are not applied
};

// Installs the desktop, opened by open on first use (Lazy: a failure to open
// it fails that use and every later one with the same message). Installing
// again replaces it (tests do). Main thread only.
void InstallDesktop(std::function<DesktopBackend()> open);
// Installs a desktop that is there already.
void InstallDesktop(const DesktopBackend& desktop);
// Removes the installed desktop (tests): window and key commands then fail,
// show modes are not applied.
void UninstallDesktop();

// The desktop, opened now if need be. Throws Exception when it cannot be
// opened, or when none is installed.
const DesktopBackend& CurrentDesktop();
// Its windows and keyboard; throw Exception when it has none.
WindowSystem& DesktopWindows();
KeyboardSystem& DesktopKeyboard();
// Whether a desktop is installed (show modes are then applied through it).
bool HasDesktop();

}  // namespace tolm
