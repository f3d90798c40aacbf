// "/do" ... "/while" loops and "/if" ... "/else" branches.
#include <exception>

#include "expr/evaluator.h"
#include "interp/executor.h"
#include "interp/interpreter_state.h"
#include "interp/runner.h"
#include "services/core/errors.h"
#include "services/seams/exit_status.h"
#include "services/core/text.h"

namespace tolm {
namespace {

// Converts a condition's result; false when it is not an integer.
bool ConditionValue(const std::string& result, int32_t& value) {
  try {
    value = StrToInt(result);
    return true;
  } catch (const Exception&) {
    return false;
  }
}

void TraceJudgement(const std::string& condition, bool holds) {
  TraceLine(condition + (holds ? " is TRUE" : " is FALSE"));
}

// One pass of a "/do" block; a failure of any kind ends the pass, not the
// run, and is remembered in the exit status.
void RunDoPass(const CommandRecord& record) {
  TraceLine("*** BEGIN /do command block");
  try {
    RunCommandList(record.block);
  } catch (const std::exception&) {
    LastExitCode = 1;
    TraceLine("*** /do block failed");
  }
  TraceLine("*** END /do command block");
}

}  // namespace

void ExecuteDo(CommandContext& c) {
  const CommandRecord& record = c.record;
  LastExitCode = 0;
  for (;;) {
    RunDoPass(record);
    std::string result = EvaluateExpression(record.condition);
    int32_t value = 0;
    if (!ConditionValue(result, value)) {
      ReportCommandFailure("Bad /while expression result: \"" + result + "\" - should be numeric");
      return;
    }
    if (!ExecEnabled) value = 0;
    TraceJudgement(std::string(record.condition), value != 0);
    if (value == 0) return;
  }
}

void ExecuteIf(CommandContext& c) {
  const CommandRecord& record = c.record;
  std::string result = EvaluateExpression(record.condition);
  int32_t value = 0;
  if (!ConditionValue(result, value)) {
    ReportCommandFailure("Bad /if expression result: \"" + result + "\" - should be numeric");
    return;
  }
  TraceJudgement(std::string(record.condition), value != 0);
  const char* part = value != 0 ? "THEN" : "ELSE";
  TraceLine(std::string("*** BEGIN ") + part + " block");
  RunCommandList(value != 0 ? record.block : record.elseBlock);
  TraceLine(std::string("*** END ") + part + " block");
}

}  // namespace tolm
