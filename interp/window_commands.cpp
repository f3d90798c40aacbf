// The commands that act on windows by title pattern, and "/sendkeys".
#include <chrono>

#include "interp/executor.h"
#include "interp/interpreter_state.h"
#include "interp/runner.h"
#include "services/core/errors.h"
#include "services/seams/event_pump.h"
#include "services/seams/keyboard.h"
#include "services/seams/window_search.h"

namespace tolm {
namespace {

using WindowAction = void (*)(WindowHandle);

// "/activate", "/close" and "/killwindow": one pattern, one action.
void ActOnWindow(const CommandContext& c, const char* missing, const char* command, WindowAction action) {
  if (c.ArgumentText.empty()) RaiseScriptError(missing);
  WindowHandle window = FindWindowByTitle(c.ArgumentText);
  if (window == kNoWindow) {
    ReportCommandFailure(std::string(command) + " could not find \"" + c.ArgumentText + "\" window");
    return;
  }
  action(window);
}

// Sleeps one poll interval on the event pump, so close requests and the
// program's own windows are served while a wait goes on.
void SleepOneInterval() {
  if (WaitInterval < 0) throw Exception(kRangeCheckError);
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(WaitInterval);
  while (std::chrono::steady_clock::now() < deadline) PumpWaitUntil(deadline);
}

// Polls until a matching window exists (present true) or none is left.
void WaitForWindowState(const std::string& pattern, bool present) {
  for (;;) {
    ProcessPendingMessages();
    SleepOneInterval();
    if ((FindWindowByTitle(pattern) != kNoWindow) == present) return;
  }
}

}  // namespace

void ExecuteActivate(CommandContext& c) {
  ActOnWindow(c, "INTERNAL ERROR: /activate argument missing", "/activate", WindowActivate);
}

void ExecuteClose(CommandContext& c) { ActOnWindow(c, "/close argument missing", "/close", WindowClose); }

void ExecuteKillWindow(CommandContext& c) {
  ActOnWindow(c, "INTERNAL ERROR: /killwindow argument missing", "/killwindow", WindowQuit);
}

void ExecuteWaitFor(CommandContext& c) {
  if (c.ArgumentText.empty()) RaiseScriptError("INTERNAL ERROR: /waitfor argument missing");
  WaitForWindowState(c.ArgumentText, true);
}

void ExecuteWaitClose(CommandContext& c) {
  if (c.ArgumentText.empty()) RaiseScriptError("INTERNAL ERROR: /waitclose argument missing");
  WaitForWindowState(c.ArgumentText, false);
}

void ExecuteSendKeys(CommandContext& c) {
  if (c.ArgumentText.empty()) RaiseScriptError("INTERNAL ERROR: /sendkeys argument missing");
  SendKeys(c.ArgumentText);
}

}  // namespace tolm
