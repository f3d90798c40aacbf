// Window search and the three window actions of "/activate", "/close" and
// "/killwindow". The search logic and its result tables are platform-free;
// a WindowSystem supplies the desktop's windows and performs the actions.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "services/core/limits.h"

namespace tolm {

using WindowHandle = int64_t;
inline constexpr WindowHandle kNoWindow = -1;

struct WindowInfo {
  WindowHandle handle = kNoWindow;
  std::string title;      // empty: the window has no title and never matches
  std::string className;
};

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;
  // Every window of the desktop, depth-first: a window's descendants come
  // before the window itself. Windows that vanish meanwhile are left out.
  // Without withClasses the class names may be left empty: a search whose
  // class pattern matches everything does not need them.
  virtual std::vector<WindowInfo> ListWindows(bool withClasses) = 0;
  virtual void Activate(WindowHandle window) = 0;
  virtual void Close(WindowHandle window) = 0;
  virtual void Quit(WindowHandle window) = 0;
};

// Searches the whole desktop (desktop.h: the session's desktop, opened on
// first use). Fills the result tables with every titled
// window whose title and class match the patterns (MatchPattern) and returns
// their number, or -1 when not a single window was examined.
int FindWindows(const std::string& titlePattern, const std::string& classPattern);
// FindWindows(titlePattern, "*"); the first match, or kNoWindow.
WindowHandle FindWindowByTitle(const std::string& titlePattern);

// The results of the last search; they grow with the matches (no fixed size).
const std::vector<WindowHandle>& FoundWindows();
const std::vector<std::string>& FoundTitles();
int FoundCount();

void WindowActivate(WindowHandle window);
void WindowClose(WindowHandle window);
void WindowQuit(WindowHandle window);

}  // namespace tolm
