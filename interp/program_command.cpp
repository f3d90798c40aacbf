// A program line starts a program (or runs a command file named alone on the
// line); "@" runs a command file.
#include "expr/evaluator.h"
#include "interp/executor.h"
#include "interp/interpreter_state.h"
#include "interp/runner.h"
#include "services/core/errors.h"
#include "services/seams/programs.h"
#include "services/seams/show_mode.h"
#include "services/core/text.h"

namespace tolm {
namespace {

// Show options in the order in which each one replaces the whole word, so the
// last one given in this order wins and the raise bit stays only without any.
struct ShowOption {
  int32_t option;
  uint32_t mode;
};
const ShowOption kShowOptions[] = {
    {kOptHide, kShowHide}, {kOptMin, kShowMinimized}, {kOptMax, kShowMaximized}, {kOptNoActivate, kShowMinNoActivate}};

// With a show option and no /ignore or /warn, a start that fails ends the run.
uint32_t ProgramLaunchFlags(const CommandRecord& record) {
  uint32_t flags = kLaunchRaise | kShowNormal;
  for (const ShowOption& show : kShowOptions)
    if (record.HasOption(show.option)) flags = show.mode;
  if (record.HasOption(kOptIgnore)) flags |= kLaunchIgnore;
  if (record.HasOption(kOptWarn)) flags |= kLaunchWarn;
  if (record.HasOption(kOptWait)) flags |= kLaunchWait;
  return flags;
}

}  // namespace

void ExecuteRunFile(CommandContext& c) { RunCommandFile(c.ArgumentText); }

void ExecuteProgramLine(CommandContext& c) {
  const std::string& program = c.ArgumentList[0];
  if (!program.empty() && program[0] == '/')
    RaiseScriptError("INTERNAL ERROR: Unknown internal command: " + program);
  std::string ext = ToLowerAscii(ReplaceAll(FileExtension(program), "\"", ""));
  if (ext == ".tm" && c.ArgumentList.size() == 1) {
    RunCommandText(program[0] == '"' ? "@" + program : "@\"" + program + "\"");
    return;
  }
  LaunchFlags = ProgramLaunchFlags(c.record);
  StartProgram(EvaluateExpression(program), c.ArgumentText, CurrentDirectory, LaunchFlags);
}

}  // namespace tolm
