// One kind of desktop session (X11, a Wayland compositor, Windows): its
// windows, its keyboard and how it applies show modes to started programs.
// The program installs one backend's services when a window or key command
// first needs them, so runs without such commands never touch the desktop.
#pragma once

#include "services/seams/keyboard.h"
#include "services/seams/show_mode.h"
#include "services/seams/window_search.h"

namespace tolm {

struct DesktopBackend {
  WindowSystem* windows = nullptr;    // not owned; lives until the program ends
  KeyboardSystem* keyboard = nullptr; // not owned; lives until the program ends
  ShowModeHandler showMode;           // empty: show modes are not applied
};

}  // namespace tolm
