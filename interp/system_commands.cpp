// "/set", "/cd", "/sleep", "/waitall", "/pause" and "/kill".

#include <cstdlib>
#include <memory>

#include "front/lexer_runtime.h"
#include "interp/executor.h"
#include "interp/interpreter_state.h"
#include "interp/runner.h"
#include "services/seams/debug_log.h"
#include "services/seams/environment.h"
#include "services/core/errors.h"
#include "services/seams/event_pump.h"
#include "services/core/match_pattern.h"
#include "services/seams/processes.h"
#include "services/seams/programs.h"
#include "services/core/text.h"
#include "services/seams/user_interface.h"
#include "services/seams/wait_limit.h"

namespace tolm {
namespace {

const std::string& ListEntry(const CommandContext& c, size_t i) {
  static const std::string empty;
  return i < c.ArgumentList.size() ? c.ArgumentList[i] : empty;
}

// The three switches "/set debug" turns; each value sets all three.
struct DebugSetting {
  const char* value;
  bool trace, log, lex;
};
const DebugSetting kDebugSettings[] = {
    {"off", false, false, false},
    {"on", true, false, false},
    {"all", true, true, true},
    {"lex", false, false, true},
};

void SetDebug(const std::string& value) {
  std::string lower = ToLowerAscii(value);
  for (const DebugSetting& s : kDebugSettings) {
    if (lower == s.value) {
      TraceEnabled = s.trace;
      DebugLogEnabled = s.log;
      LexTrace = s.lex;
      return;
    }
  }
  DebugLogEnabled = true;
  DebugLogPath = value;
}


}  // namespace

void ExecuteSet(CommandContext& c) {
  const std::string& rawName = ListEntry(c, 1);
  const std::string& value = ListEntry(c, 2);
  std::string name = ToLowerAscii(rawName);
  if (name == "debug") {
    SetDebug(value);
  } else if (name == "exec") {
    ExecEnabled = ToLowerAscii(value) != "off";
  } else if (name == "waitinternval") {
    WaitInterval = ValNumber(value);
  } else if (int error = SetEnvironmentVariable(rawName, value); error != 0) {
    RaiseScriptError("/SET failed: " + SysErrorText(error));
  }
}

void ExecuteCd(CommandContext& c) {
  CurrentDirectory = c.ArgumentText;
  if (int error = ChangeCurrentDirectory(CurrentDirectory); error != 0) {
    ReportCommandFailure("Could not /cd to directory \"" + CurrentDirectory + "\"" + "\r\n" + SysErrorText(error));
    return;
  }
  // Programs are started in CurrentDirectory; a relative text would be taken
  // relative to the directory we have already moved to.
  if (std::string absolute = ProcessCurrentDirectory(); !absolute.empty()) CurrentDirectory = absolute;
}

void ExecuteSleep(CommandContext& c) {
  const std::string& seconds = ListEntry(c, 1);
  if (seconds.empty()) RaiseScriptError("INTERNAL ERROR: /sleep argument missing");
  PumpingSleep(CheckedMul(ValNumber(seconds), 1000));
}

void ExecuteWaitAll(CommandContext&) {
  try {
    WaitForAllProcesses();
  } catch (const WaitTimedOut& timedOut) {
    ReportCommandFailure(timedOut.Message());
  }
}

void ExecutePause(CommandContext& c) { CurrentUserInterface().Pause(c.ArgumentText); }

void ExecuteKill(CommandContext& c) {
  if (c.ArgumentText.empty()) RaiseScriptError("/kill argument missing");
  std::string pattern = ToUpperAscii(c.ArgumentText);
  uint32_t self = CurrentProcessId();
  bool found = false;
  uint32_t id = 0;
  std::string path;
  for (int n = 1; GetProcess(n, id, path); ++n) {
    // A process whose executable cannot be read has no name: no pattern
    // matches it, not even "*" (the process list leaves it out too).
    if (path.empty()) continue;
    std::string name = ProcessMatchName(path);
    DebugLog("name=\"" + name + "\", Par=\"" + pattern + "\"");
    if (MatchPattern(name, pattern) && id != self) {
      found = true;
      DebugLog("killing pid " + std::to_string(id));
      // false: it ended on its own since it was listed, which is what we want.
      DebugLog((KillProcess(id) ? "killed pid " : "already ended: pid ") + std::to_string(id));
    }
  }
  if (!found) ReportCommandFailure("/kill could not find \"" + pattern + "\" program running");
}

}  // namespace tolm
