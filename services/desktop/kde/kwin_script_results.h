// Reading what KWin's window scripts hand back (kwin_script_text.h): the
// window list, a JSON array of [id, caption, resourceClass, pid,
// stackingOrder, active] arrays, and the order a search walks it in.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tolm {

struct KWinWindow {
  std::string id;             // KWin's internalId, "{xxxxxxxx-...}"
  std::string caption;        // UTF-8
  std::string resourceClass;  // the app id of a Wayland window, WM_CLASS's class of an X11 one
  int64_t pid = 0;
  int64_t stackingOrder = 0;  // higher is nearer the top
  bool active = false;
};

// Throws Exception("KWin's window script answered with a text that is not a
// window list") when the text is not exactly that shape.
std::vector<KWinWindow> ParseWindowList(const std::string& text);

// The order of a search: the active window first, then the others from the
// top of the stack to the bottom (as a walk of a desktop's windows meets
// them), windows of equal stacking place in KWin's list order.
void OrderForSearch(std::vector<KWinWindow>& windows);

}  // namespace tolm
