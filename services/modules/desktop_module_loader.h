// Opening this session's desktop module (services/modules/desktop_modules.h) with the
// program's module loader (shared_module.h).
#pragma once

#include "services/seams/desktop.h"
#include "services/modules/desktop_selection.h"

namespace tolm {

// Opens a candidate's module from beside the executable or lib/tolm and calls its entry.
class ProgramDesktopOpener : public DesktopModuleOpener {
 public:
  bool Open(const DesktopCandidate& candidate, DesktopBackend& out, std::string& reason) override;
};

// SelectDesktop over kDesktopCandidates and the process's environment.
DesktopBackend OpenSessionDesktop();

}  // namespace tolm
