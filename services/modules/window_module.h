// The boundary between tolm32 and its window module (tolm32-qt.so, built from
// ui/qt). The module is opened on the first call that must show a window, so
// runs that show nothing never load the toolkit.
//
// Rules at this boundary:
// - tolm32 carries its own copy of the C++ runtime (-static-libstdc++); the
//   module uses the toolkit's shared one. No exception may cross in either
//   direction: every entry of the module and every callback the program calls
//   in it (UserInterface, ToolkitLoop) catches everything, and every function
//   of the program that the module calls is noexcept or catches what its work
//   throws (see ui/core/list_dialog_calls.h). A failure inside the module
//   comes back through ReportWindowFailure and is raised in the program.
// - The module links no library of the program: it takes the program's own
//   functions (namespace tolm) from the executable, which exports those and
//   nothing else. So both share one copy of every piece of program state.
// - No iostreams in the module: the two runtimes each have their own.
#pragma once

#include <cstddef>
#include <string>

#include "services/seams/user_interface.h"

namespace tolm {

inline constexpr char kWindowModuleFile[] = "tolm32-qt.so";
inline constexpr char kWindowModuleEntry[] = "tolm_open_window_interface";

// The entry's type: makes the toolkit's application object (connecting to the
// display), attaches its event loop to the pump and returns the interface
// that shows windows, which lives until the program ends. On failure it
// returns nullptr and writes the reason, NUL-terminated, into why.
using OpenWindowInterface = UserInterface* (*)(char* why, std::size_t whySize) noexcept;

// Called by the module when an operation failed; RaiseReportedWindowFailure
// raises it in the program once the module's call has returned.
void ReportWindowFailure(const std::string& message) noexcept;
// Throws Exception with the failure reported since the last call, if any.
void RaiseReportedWindowFailure();

}  // namespace tolm
