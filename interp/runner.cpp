#include "interp/runner.h"

#include <exception>
#include <memory>

#include "front/command_parser.h"
#include "services/seams/command_file.h"
#include "interp/executor.h"
#include "interp/interpreter_state.h"
#include "services/seams/app_title.h"
#include "services/seams/debug_log.h"
#include "services/core/errors.h"
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

// The order in which a command's options are shown, whatever order they were written in.
struct OptionWord {
  int32_t code;
  const char* word;
};
const OptionWord kOptionWords[] = {
    {kOptHide, "/hide"},     {kOptMin, "/min"},   {kOptMax, "/max"},   {kOptNoActivate, "/noactivate"},
    {kOptIgnore, "/ignore"}, {kOptWarn, "/warn"}, {kOptWait, "/wait"},
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
  if (LaunchFlags & 0x200) return;
  if (LaunchFlags & 0x400) {
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

namespace {

template <class Record>
std::string OptionWords(const Record& record) {
  std::string text;
  for (const OptionWord& option : kOptionWords)
    if (record.HasOption(option.code)) text += option.word;
  return text;
}

}  // namespace

std::string OptionText(const CommandRecord& record) { return OptionWords(record); }
std::string OptionText(const Tcmdrec& record) { return OptionWords(record); }

std::string CommandText(const CommandRecord& record, int first) {
  std::string text;
  if (record.args.empty()) return text;
  if (first == 0) {
    text = std::string(record.args[0]) + OptionText(record);
    first = 1;
  }
  if (record.code == kCmdSet) {
    text.append(" ").append(record.args.size() > 1 ? record.args[1] : std::string_view());
    text.append("=").append(record.args.size() > 2 ? record.args[2] : std::string_view());
  } else if (record.code == kCmdIf) {
    text.append(" ").append(record.condition);
  } else {
    for (size_t i = static_cast<size_t>(first); i < record.args.size(); ++i) {
      if (!text.empty()) text += ' ';
      text.append(record.args[i]);
    }
  }
  return text;
}

}  // namespace tolm
