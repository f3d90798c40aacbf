// The desktop's windows on Windows: the whole window tree under the desktop
// window, and the three window actions.
#pragma once

#include <windows.h>

#include "services/seams/window_search.h"

namespace tolm {

class WinWindowSystem : public WindowSystem {
 public:
  // Walks GetWindow(GW_CHILD / GW_HWNDNEXT) from the desktop window, depth
  // first, every window's descendants before the window itself. Titles and
  // class names are read with GetWindowTextA and GetClassNameA (at most 254
  // characters each).
  std::vector<WindowInfo> ListWindows(bool withClasses) override;
  // SetForegroundWindow.
  void Activate(WindowHandle window) override;
  // Sends WM_CLOSE and returns once the window has handled it; the event
  // pump serves messages and close requests meanwhile. A window that is
  // destroyed before it answers never does: whether it still exists is
  // checked every 100 ms of the wait.
  void Close(WindowHandle window) override;
  // Posts WM_QUIT to the window: its thread's message loop ends, and with it
  // (for an ordinary program) the program. A sent quit message would never
  // reach that loop.
  void Quit(WindowHandle window) override;
};

HWND WindowOf(WindowHandle handle);
WindowHandle HandleOf(HWND window);

}  // namespace tolm
