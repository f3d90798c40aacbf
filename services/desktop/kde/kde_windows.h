// The window system of KDE Plasma on Wayland: KWin's windows, native and
// Xwayland alike, through our window scripts (kwin_scripts.h).
//
//   search        every window KWin manages, the active one first, then from
//                 the top of the stack to the bottom; its caption as the
//                 title, its resource class (a Wayland window's app id) as
//                 the class name. KWin shows no window inside another, so
//                 there are no child windows.
//   /activate     KWin activates the window (unminimising it first): it
//                 raises it and gives it the keyboard focus.
//   /close        the polite close request, as the window's close button.
//   /killwindow   ends the window's program: SIGTERM to the pid KWin knows
//                 for the window (read afresh, so a window gone meanwhile
//                 ends nothing). Never this program itself.
//
// KWin names a window by a UUID (internalId); a search hands out one number
// per UUID, kept for the run, so a handle found earlier names the same
// window or, once it has gone, nothing: acting on it does nothing.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "services/desktop/kde/kwin_scripts.h"
#include "services/seams/window_search.h"

namespace tolm {

class KdeWindowSystem : public WindowSystem {
 public:
  explicit KdeWindowSystem(KWinScripts& scripts) : scripts_(scripts) {}

  std::vector<WindowInfo> ListWindows(bool withClasses) override;
  void Activate(WindowHandle window) override;
  void Close(WindowHandle window) override;
  void Quit(WindowHandle window) override;

 private:
  WindowHandle HandleOf(const std::string& id);
  // KWin's id for a handle handed out, "" for none.
  std::string IdOf(WindowHandle window) const;

  KWinScripts& scripts_;
  std::unordered_map<std::string, WindowHandle> handles_;
  std::vector<std::string> ids_;  // ids_[handle - 1]
};

}  // namespace tolm
