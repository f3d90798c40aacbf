#include "interp/runner.h"

#include <exception>
#include <memory>

#include "front/command_parser.h"
#include "front/command_text.h"
#include "services/seams/command_file.h"
#include "interp/executor.h"
#include "interp/interpreter_state.h"
#include "services/seams/app_title.h"
#include "services/seams/debug_log.h"
#include "services/seams/programs.h"
#include "services/core/errors.h"
#include "services/core/limits.h"
#include "services/core/text.h"
#include "services/seams/user_interface.h"

namespace tolm {
namespace {

int fileNesting = 0;

// Counts one level of command-file nesting for as long as a file runs.
class NestingGuard {
 public:
  NestingGuard() {
    if (fileNesting >= kMaxFileNesting)
      RaiseScriptError("Command files are nested too deeply (limit is " + std::to_string(kMaxFileNesting) +
                       " levels)");
    ++fileNesting;
  }
  ~NestingGuard() { --fileNesting; }
  NestingGuard(const NestingGuard&) = delete;
  NestingGuard& operator=(const NestingGuard&) = delete;
};

[[noreturn]] void RaiseCommandFailure(const CommandRecord& record, const std::string& message) {
  RaiseScriptError("ERROR: The following command: \r\n" + CommandText(record, 0) + "\r\n" +
                   "Failed with the following error(s):" + "\r\n" + message);
}

}  // namespace

void RunCommandText(const std::string& text) {
  TTolmYacc parser;
  std::unique_ptr<CommandStore> commands = parser.Parse(text + "\r\n", "ARGS");
  RunCommandList(commands->Top());
}

void RunCommandFile(const std::string& fileName) {
  NestingGuard nesting;
  CommandFileSource file;
  if (!file.Open(fileName)) RaiseScriptError(OpenFailureMessage(fileName, file.Error()));
  std::string remembered = ApplicationTitle();
  SetApplicationTitle(StripDirectory(fileName) + " - " + AfterLastBlank(remembered));
  std::unique_ptr<CommandStore> commands;
  {
    TTolmYacc parser;
    commands = parser.Parse(file, fileName);
  }
  // A read error cut the text short: nothing of a partly read file runs.
  if (file.Failed()) RaiseScriptError(OpenFailureMessage(fileName, file.Error()));
  file.Close();
  RunCommandList(commands->Top());
  SetApplicationTitle(remembered);
}

void RunCommandList(const CommandList& list) {
  for (const CommandRecord& record : list) RunCommand(record, ExecEnabled);
}

void RunCommand(const CommandRecord& record, bool execute) {
  try {
    if (DebugLogEnabled || !execute) TraceCommand(record);
    if (execute || record.code == kCmdAt || record.code == kCmdIf || record.code == kCmdDo)
      ExecuteCommand(record);
  } catch (const Exception& e) {
    RaiseCommandFailure(record, e.Message());
  } catch (const std::exception& e) {
    // The standard library's own failures (no memory, no thread, a string
    // too long) are failures of the command like the program's own.
    RaiseCommandFailure(record, e.what());
  }
}

void ReportCommandFailure(const std::string& message) {
  if (LaunchFlags & kLaunchIgnore) return;
  if (LaunchFlags & kLaunchWarn) {
    ShowError(message);
    return;
  }
  RaiseScriptError(message);
}

// The text is made only when it is shown: a run with execution off walks
// every record of a file through here.
void TraceCommand(const CommandRecord& record) {
  if (TraceEnabled && !record.args.empty()) TraceLine(CommandText(record, 0));
}

}  // namespace tolm
