// The program's diagnostic log, show-mode watchers, end-of-program actions
// and title as a module uses them: through the host.
#include <utility>

#include "services/core/errors.h"
#include "services/modules/guest/guest.h"
#include "services/seams/debug_log.h"
#include "services/seams/program_end.h"
#include "services/seams/show_mode.h"

namespace tolm {

void DebugLog(const std::string& message) { RaiseFailure(Host().debugLog(message)); }

// The watch runs on a thread of the program, which must not see an
// exception of this runtime: its failure goes as a value.
void StartShowModeWatcher(std::function<void()> watch) {
  RaiseFailure(Host().startShowModeWatcher([watch = std::move(watch)]() noexcept { return FailureOf(watch); }));
}

// The program ends anyway: an action that fails has nothing left to tell.
AtProgramEnd::AtProgramEnd(std::function<void()> action)
    : id_(Host().atProgramEnd([action = std::move(action)]() noexcept { (void)FailureOf(action); })) {}

AtProgramEnd::~AtProgramEnd() {
  if (const HostTable* host = LinkedHost()) host->dropAtProgramEnd(id_);
}

void RaiseScriptError(const std::string& message) {
  Host().resetApplicationTitle();
  throw EScriptError(message);
}

}  // namespace tolm
