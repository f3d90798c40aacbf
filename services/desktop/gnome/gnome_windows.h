// The window system of GNOME on Wayland: the windows GNOME Shell manages,
// native and Xwayland alike, through our shell extension (shell_extension.h).
//
//   search        every window but menus and tooltips, the focused one first,
//                 then from the top of the stack to the bottom; the title as
//                 the title, the app id (WM_CLASS for an X11 window) as the
//                 class name. GNOME shows no window inside another, so there
//                 are no child windows. The list is kept between searches
//                 and asked for again only when the extension's change count
//                 has moved, so a wait that repeats a search costs one small
//                 call per round.
//   /activate     Main.activateWindow: GNOME Shell switches to the window's
//                 workspace, raises and focuses it and leaves the overview;
//                 the command returns once the overview has gone.
//   /close        the polite close request, as the window's close button.
//   /killwindow   ends the window's program: SIGTERM to the pid GNOME Shell
//                 knows for the window (read afresh, so a window gone
//                 meanwhile ends nothing). Never this program itself.
//
// A window's handle is Mutter's id for it, unique in the session: a handle
// found earlier names the same window or, once it has gone, nothing, and
// acting on it then does nothing.
#pragma once

#include <optional>
#include <vector>

#include "services/desktop/gnome/shell_extension.h"
#include "services/seams/window_search.h"

namespace tolm {

// The windows in the order a search takes them: the focused one first, the
// others in the order given. Windows whose id is no handle (0, or beyond
// the handles' range) are left out.
std::vector<WindowInfo> WindowsForSearch(const std::vector<ShellWindow>& windows, bool withClasses);

class GnomeWindowSystem : public WindowSystem {
 public:
  explicit GnomeWindowSystem(ShellExtension& shell) : shell_(shell) {}

  std::vector<WindowInfo> ListWindows(bool withClasses) override;
  void Activate(WindowHandle window) override;
  void Close(WindowHandle window) override;
  void Quit(WindowHandle window) override;

 private:
  // The extension's current list, asked for only when it has changed.
  const ShellWindowList& Current();

  ShellExtension& shell_;
  std::optional<ShellWindowList> list_;
};

}  // namespace tolm
