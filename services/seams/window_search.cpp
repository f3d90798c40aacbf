#include "services/seams/window_search.h"

#include "services/seams/desktop.h"
#include "services/seams/event_pump.h"
#include "services/core/match_pattern.h"

namespace tolm {
namespace {

struct FoundTables {
  std::vector<WindowHandle> windows;
  std::vector<std::string> titles;
};

FoundTables& Found() {
  static FoundTables tables;
  return tables;
}

// Titles are UTF-8: a cut inside a character would leave invalid bytes that
// no pattern matches, so the cut moves back to the start of that character.
std::string Clip(const std::string& text) {
  if (text.size() <= kMaxWindowText) return text;
  size_t end = kMaxWindowText;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return text.substr(0, end);
}

}  // namespace

int FindWindows(const std::string& titlePattern, const std::string& classPattern) {
  // One pump pass per search: the window list arrives as one batch, so there
  // is no per-window pause in which to serve events.
  ProcessPendingMessages();
  const bool anyClass = classPattern.empty() || classPattern == "*";
  const std::vector<WindowInfo> windows = DesktopWindows().ListWindows(!anyClass);
  FoundTables& found = Found();
  found.windows.clear();
  found.titles.clear();
  for (const WindowInfo& w : windows) {
    const std::string title = Clip(w.title);
    if (title.empty()) continue;
    if (!MatchPattern(title, titlePattern) || !MatchPattern(Clip(w.className), classPattern)) continue;
    found.windows.push_back(w.handle);
    found.titles.push_back(title);
  }
  if (windows.empty()) return -1;
  return static_cast<int>(found.windows.size());
}

WindowHandle FindWindowByTitle(const std::string& titlePattern) {
  const int result = FindWindows(titlePattern, "*");
  // -1 (nothing examined) is "not 0" as well, but leaves no entry to return.
  if (result == 0 || Found().windows.empty()) return kNoWindow;
  return Found().windows.front();
}

const std::vector<WindowHandle>& FoundWindows() { return Found().windows; }
const std::vector<std::string>& FoundTitles() { return Found().titles; }
int FoundCount() { return static_cast<int>(Found().windows.size()); }

void WindowActivate(WindowHandle window) {
  DesktopWindows().Activate(window);
  ProcessPendingMessages();
}

void WindowClose(WindowHandle window) {
  DesktopWindows().Close(window);
  ProcessPendingMessages();
}

void WindowQuit(WindowHandle window) {
  DesktopWindows().Quit(window);
  ProcessPendingMessages();
}

}  // namespace tolm
