// What the editor and the list dialog read and do in the program: run
// command text, list the running processes, search the desktop's windows.
// Through the host; the titles of the last search are kept here, as the
// program keeps them.
#include "interp/runner.h"
#include "services/modules/guest/guest.h"
#include "services/seams/processes.h"
#include "services/seams/window_search.h"

namespace tolm {
namespace {

std::vector<std::string>& Titles() {
  static std::vector<std::string> titles;
  return titles;
}

}  // namespace

void RunCommandText(const std::string& text) { RaiseFailure(Host().runCommandText(text)); }

bool GetProcess(int n, uint32_t& id, std::string& name) {
  bool found = false;
  RaiseFailure(Host().getProcess(n, id, name, found));
  return found;
}

WindowHandle FindWindowByTitle(const std::string& titlePattern) {
  WindowHandle first = kNoWindow;
  RaiseFailure(Host().findWindowByTitle(titlePattern, first, Titles()));
  return first;
}

const std::vector<std::string>& FoundTitles() { return Titles(); }
int FoundCount() { return static_cast<int>(Titles().size()); }

}  // namespace tolm
