#include "services/desktop/gnome/gnome_windows.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <limits>

#include "services/core/sys_error.h"
#include "services/seams/debug_log.h"

namespace tolm {
namespace {

bool IsHandle(uint64_t id) { return id != 0 && id <= static_cast<uint64_t>(std::numeric_limits<WindowHandle>::max()); }

}  // namespace

std::vector<WindowInfo> WindowsForSearch(const std::vector<ShellWindow>& windows, bool withClasses) {
  std::vector<WindowInfo> found;
  found.reserve(windows.size());
  for (const bool focused : {true, false}) {
    for (const ShellWindow& w : windows) {
      if (w.focused != focused || !IsHandle(w.id)) continue;
      found.push_back(WindowInfo{static_cast<WindowHandle>(w.id), w.title, withClasses ? w.wmClass : ""});
    }
  }
  return found;
}

const ShellWindowList& GnomeWindowSystem::Current() {
  if (!list_ || shell_.Changes() != list_->changes) list_ = shell_.List();
  return *list_;
}

std::vector<WindowInfo> GnomeWindowSystem::ListWindows(bool withClasses) {
  return WindowsForSearch(Current().windows, withClasses);
}

void GnomeWindowSystem::Activate(WindowHandle window) {
  if (window > 0) shell_.Activate(static_cast<uint64_t>(window));
}

void GnomeWindowSystem::Close(WindowHandle window) {
  if (window > 0) shell_.Close(static_cast<uint64_t>(window));
}

void GnomeWindowSystem::Quit(WindowHandle window) {
  int32_t pid = -1;
  for (const ShellWindow& w : Current().windows) {
    if (static_cast<WindowHandle>(w.id) == window) pid = w.pid;
  }
  if (pid <= 1 || pid == getpid()) {
    DebugLog("GNOME: window " + std::to_string(window) + " has no program to end (pid " + std::to_string(pid) + ")");
    return;
  }
  DebugLog("GNOME: ending pid " + std::to_string(pid) + ", the program of window " + std::to_string(window));
  if (kill(static_cast<pid_t>(pid), SIGTERM) != 0) {
    DebugLog("GNOME: could not end pid " + std::to_string(pid) + ": " + SysErrorText(errno));
  }
}

}  // namespace tolm
