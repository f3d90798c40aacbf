#include "services/desktop/kde/kde_windows.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "services/desktop/kde/kwin_script_results.h"
#include "services/seams/debug_log.h"

namespace tolm {

WindowHandle KdeWindowSystem::HandleOf(const std::string& id) {
  const auto [it, added] = handles_.emplace(id, static_cast<WindowHandle>(ids_.size() + 1));
  if (added) ids_.push_back(id);
  return it->second;
}

std::string KdeWindowSystem::IdOf(WindowHandle window) const {
  if (window < 1 || static_cast<size_t>(window) > ids_.size()) return "";
  return ids_[static_cast<size_t>(window - 1)];
}

std::vector<WindowInfo> KdeWindowSystem::ListWindows(bool withClasses) {
  std::vector<KWinWindow> found = ParseWindowList(scripts_.Run(WindowScript::kList));
  OrderForSearch(found);
  std::vector<WindowInfo> windows;
  windows.reserve(found.size());
  for (KWinWindow& w : found) {
    windows.push_back(WindowInfo{HandleOf(w.id), std::move(w.caption), withClasses ? std::move(w.resourceClass) : ""});
  }
  return windows;
}

void KdeWindowSystem::Activate(WindowHandle window) {
  const std::string id = IdOf(window);
  if (!id.empty()) scripts_.Run(WindowScript::kActivate, id);
}

void KdeWindowSystem::Close(WindowHandle window) {
  const std::string id = IdOf(window);
  if (!id.empty()) scripts_.Run(WindowScript::kClose, id);
}

void KdeWindowSystem::Quit(WindowHandle window) {
  const std::string id = IdOf(window);
  if (id.empty()) return;
  const long pid = std::strtol(scripts_.Run(WindowScript::kPid, id).c_str(), nullptr, 10);
  if (pid <= 1 || pid == getpid()) {
    DebugLog("KDE: window " + std::to_string(window) + " has no program to end (pid " + std::to_string(pid) + ")");
    return;
  }
  DebugLog("KDE: ending pid " + std::to_string(pid) + ", the program of window " + std::to_string(window));
  if (kill(static_cast<pid_t>(pid), SIGTERM) != 0) {
    DebugLog("KDE: could not end pid " + std::to_string(pid) + ": " + SysErrorText(errno));
  }
}

}  // namespace tolm
