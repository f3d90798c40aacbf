// The commands that act on windows by title pattern, and "/sendkeys".
#include <algorithm>
#include <chrono>

#include "interp/executor.h"
#include "interp/interpreter_state.h"
#include "interp/runner.h"
#include "services/core/errors.h"
#include "services/seams/event_pump.h"
#include "services/seams/keyboard.h"
#include "services/seams/wait_limit.h"
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
// program's own windows are served while a wait goes on; never past the
// wait's deadline.
void SleepOneInterval(WaitClock::time_point deadline) {
  if (WaitInterval < 0) throw Exception(kRangeCheckError);
  const WaitClock::time_point end = std::min(deadline, WaitClock::now() + std::chrono::milliseconds(WaitInterval));
  while (WaitClock::now() < end) PumpWaitUntil(end);
}

// Polls until a matching window exists (present true) or none is left; false
// when the wait's time limit passed first. The window is looked for at least
// once, at the end of the first interval or at the limit.
bool WaitForWindowState(const std::string& pattern, bool present) {
  const WaitClock::time_point deadline = WaitDeadline();
  for (;;) {
    ProcessPendingMessages();
    SleepOneInterval(deadline);
    if ((FindWindowByTitle(pattern) != kNoWindow) == present) return true;
    if (WaitClock::now() >= deadline) return false;
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
  if (!WaitForWindowState(c.ArgumentText, true))
    ReportCommandFailure(WaitTimeoutMessage("/waitfor", "no window matches \"" + c.ArgumentText + "\""));
}

void ExecuteWaitClose(CommandContext& c) {
  if (c.ArgumentText.empty()) RaiseScriptError("INTERNAL ERROR: /waitclose argument missing");
  if (!WaitForWindowState(c.ArgumentText, false))
    ReportCommandFailure(WaitTimeoutMessage("/waitclose", "a window still matches \"" + c.ArgumentText + "\""));
}

void ExecuteSendKeys(CommandContext& c) {
  if (c.ArgumentText.empty()) RaiseScriptError("INTERNAL ERROR: /sendkeys argument missing");
  SendKeys(c.ArgumentText);
}

}  // namespace tolm
