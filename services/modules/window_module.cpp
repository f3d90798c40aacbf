#include "services/modules/window_module.h"

#include "services/modules/module_boundary.h"

namespace tolm {

// The window module reports through the boundary every module shares.
void ReportWindowFailure(const std::string& message) noexcept { ReportModuleFailure(message); }

void RaiseReportedWindowFailure() { RaiseReportedModuleFailure(); }

}  // namespace tolm
