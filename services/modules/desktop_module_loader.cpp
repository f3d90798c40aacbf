#include "services/modules/desktop_module_loader.h"

#include <cstdlib>

#include "services/core/errors.h"
#include "services/modules/shared_module.h"

namespace tolm {

bool ProgramDesktopOpener::Open(const DesktopCandidate& candidate, DesktopBackend& out, std::string& reason) {
  OpenDesktopModule open = nullptr;
  try {
    open = reinterpret_cast<OpenDesktopModule>(OpenProgramModuleEntry(candidate.moduleFile, candidate.entry));
  } catch (const Exception& e) {
    reason = e.Message();
    return false;
  }
  char why[512] = "";
  if (open(&out, why, sizeof why)) return true;
  reason = why[0] ? why : std::string(candidate.moduleFile) + " did not start";
  return false;
}

DesktopBackend OpenSessionDesktop() {
  ProgramDesktopOpener opener;
  return SelectDesktop(kDesktopCandidates, [](const char* name) -> const char* { return std::getenv(name); }, opener);
}

}  // namespace tolm
