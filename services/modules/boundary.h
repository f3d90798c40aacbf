// The one boundary between tolm32 and the modules it loads on first use (the
// Qt windows, the X11 and Wayland desktops).
//
// The program carries its own copy of the C++ runtime (linked in, for a fast
// start); a module uses the shared one its libraries need. An exception that
// unwinds from one runtime into the other ends the process, so nothing
// crosses but plain calls through the tables below, each noexcept, each
// failure a value (its message; empty: success) that the receiving side
// raises in its own runtime.
//
// The build keeps it so: a module links no library of the program's state
// (only services/core, the languages, the editor's models, and the guest
// services of services/modules/guest, which implement the program's services
// over the host table), is linked with -Wl,--no-undefined and exports only
// its entry; the program exports nothing. A call of a module into the
// program that does not go through the table is a link error, and the test
// ModuleBoundary.ModulesImportNothingOfTheProgram checks every module's
// imports.
//
// Both sides are built from the same headers by the same compiler, so the
// standard types that cross (strings, vectors, functions) have one layout;
// memory allocated on one side and freed on the other goes through the one C
// library's malloc either way.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "services/core/errors.h"
#include "services/core/failure_of.h"
#include "services/seams/keyboard.h"
#include "services/seams/user_interface.h"
#include "services/seams/window_search.h"

namespace tolm {

class ToolkitLoop;

// A failure on its way across: the message a user will read; empty: success
// (FailureOf, services/core/failure_of.h, makes one).
using Failure = std::string;

// Throws Exception with the failure, if there is one. Inline, so that the
// throw happens in the runtime of the side that receives it.
inline void RaiseFailure(const Failure& failure) {
  if (!failure.empty()) throw Exception(failure);
}

using Deadline = std::chrono::steady_clock::time_point;

// The program's services, as a module calls them. Functions that hand a
// module's callback to the program take one that throws nothing.
struct HostTable {
  std::size_t size = sizeof(HostTable);  // a module of another build refuses a table of another size

  // The diagnostic log.
  Failure (*debugLog)(const std::string& message) noexcept;
  // The event pump.
  Failure (*processPendingMessages)() noexcept;
  Failure (*pumpWaitUntil)(Deadline deadline, bool& woke) noexcept;
  int (*closeRequestDescriptor)() noexcept;
  void (*serveCloseRequest)() noexcept;
  void (*attachToolkitLoop)(ToolkitLoop* loop) noexcept;
  // Event sources: onReady's failure is raised by the pump that called it.
  Failure (*watchEventSource)(int fd, std::function<Failure()> onReady, int& id) noexcept;
  void (*unwatchEventSource)(int id) noexcept;
  // Show-mode watchers: watch runs on a thread of the program, which logs its failure.
  Failure (*startShowModeWatcher)(std::function<Failure()> watch) noexcept;
  // Actions that undo what is half-done when the program ends at once.
  int (*atProgramEnd)(std::function<void()> action) noexcept;
  void (*dropAtProgramEnd)(int id) noexcept;
  // The application title, reset when a script error is raised.
  void (*resetApplicationTitle)() noexcept;
  // The user interface the program runs with.
  Failure (*showInfoDialog)(const std::string& text, bool endOfRun) noexcept;
  Failure (*showMessage)(MessageKind kind, const std::string& text) noexcept;
  Failure (*askYesNo)(const std::string& text, bool& yes) noexcept;
  // Running command text (the editor's File > Run).
  Failure (*runCommandText)(const std::string& text) noexcept;
  // The running processes and the desktop's windows (the list dialog): the
  // first window whose title matches, and the titles of all that match.
  Failure (*getProcess)(int n, uint32_t& id, std::string& path, bool& found) noexcept;
  Failure (*findWindowByTitle)(const std::string& titlePattern, WindowHandle& first,
                               std::vector<std::string>& titles) noexcept;
};

// What a desktop module offers: its windows, keyboard and show modes. A
// desktop without windows or without a keyboard leaves those calls empty.
struct DesktopCalls {
  Failure (*listWindows)(bool withClasses, std::vector<WindowInfo>& windows) noexcept = nullptr;
  Failure (*activate)(WindowHandle window) noexcept = nullptr;
  Failure (*close)(WindowHandle window) noexcept = nullptr;
  Failure (*quit)(WindowHandle window) noexcept = nullptr;
  Failure (*beginKeys)(const std::vector<char32_t>& characters) noexcept = nullptr;
  Failure (*characterNeedsShift)(char32_t character, std::optional<bool>& needsShift) noexcept = nullptr;
  Failure (*pressNamed)(NamedKey key, bool down) noexcept = nullptr;
  Failure (*pressCharacter)(char32_t character, bool down) noexcept = nullptr;
  Failure (*endKeys)() noexcept = nullptr;
  Failure (*applyShowMode)(int pid, int showMode) noexcept = nullptr;
};

// What the window module offers: the user interface that shows windows.
struct WindowCalls {
  Failure (*showInfoDialog)(const std::string& text, bool endOfRun) noexcept = nullptr;
  Failure (*showMessage)(MessageKind kind, const std::string& text) noexcept = nullptr;
  Failure (*askYesNo)(const std::string& text, bool& yes) noexcept = nullptr;
  Failure (*pause)(const std::string& text) noexcept = nullptr;
  Failure (*showListDialog)(bool windowMode) noexcept = nullptr;
  Failure (*editCommandFile)(const std::string& fileName) noexcept = nullptr;
};

// What a module hands back from its entry: one of the two, filled.
struct ModuleOffer {
  std::size_t size = sizeof(ModuleOffer);
  DesktopCalls desktop;
  WindowCalls windows;
};

// Every module's one export, named kModuleEntry: readies the module with the
// program's host table and fills offer. False when the module cannot serve
// this session (no display, a compositor without the protocols it needs):
// why then says why.
using ModuleEntry = bool (*)(const HostTable* host, ModuleOffer* offer, Failure* why) noexcept;
inline constexpr char kModuleEntry[] = "tolm_module_entry";

}  // namespace tolm
