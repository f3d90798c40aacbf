#include "interp/executor.h"

#include "services/seams/programs.h"

#include "expr/evaluator.h"
#include "front/keyword_table.h"
#include "interp/interpreter_state.h"
#include "interp/runner.h"
#include "services/seams/app_title.h"
#include "services/seams/event_pump.h"

namespace tolm {
namespace {

struct Branch {
  int32_t code;
  CommandHandler handler;
};

// Every command code with a branch of its own; anything else is a program line.
const Branch kBranches[] = {
    {kCmdAt, ExecuteRunFile},          {kCmdActivate, ExecuteActivate}, {kCmdCd, ExecuteCd},
    {kCmdClose, ExecuteClose},         {kCmdDo, ExecuteDo},             {kCmdEdit, ExecuteEdit},
    {kCmdIf, ExecuteIf},               {kCmdKill, ExecuteKill},         {kCmdKillWindow, ExecuteKillWindow},
    {kCmdPause, ExecutePause},         {kCmdPlist, ExecutePlist},       {kCmdSendKeys, ExecuteSendKeys},
    {kCmdSet, ExecuteSet},             {kCmdSleep, ExecuteSleep},       {kCmdWaitAll, ExecuteWaitAll},
    {kCmdWaitClose, ExecuteWaitClose}, {kCmdWaitFor, ExecuteWaitFor},   {kCmdWlist, ExecuteWlist},
};

CommandHandler HandlerFor(int32_t code) {
  for (const Branch& branch : kBranches)
    if (branch.code == code) return branch.handler;
  return ExecuteProgramLine;
}

bool TakesSingleArgument(const CommandRecord& record) {
  return record.kwIndex > 0 && KeywordRow(record.kwIndex).SingleArgument;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

void PrepareProgramArguments(CommandContext& c) {
  const auto& args = c.record.args;
  c.ArgumentList.push_back(Quoted(EvaluateExpression(args[0])));
  for (size_t i = 1; i < args.size(); ++i) {
    std::string v = EvaluateExpression(args[i]);
    if (v.find(' ') != std::string::npos) v = Quoted(v);
    if (i > 1) c.ArgumentText += ' ';
    c.ArgumentText += v;
    c.ArgumentList.push_back(std::move(v));
  }
}

void PrepareArguments(CommandContext& c) {
  const auto& args = c.record.args;
  if (c.record.code == kCmdProgram) {
    PrepareProgramArguments(c);
  } else if (args.size() <= 1) {
    // no arguments: nothing to prepare
  } else if (TakesSingleArgument(c.record)) {
    if (!args[1].empty() && args[1][0] == '"')
      c.ArgumentText = EvaluateExpression(CommandText(c.record, 1));
    else
      c.ArgumentText = args[1];
    c.ArgumentList = {std::string(args[0]), c.ArgumentText};
  } else {
    c.ArgumentList.emplace_back(args[0]);
    for (size_t i = 1; i < args.size(); ++i) c.ArgumentList.push_back(EvaluateExpression(args[i]));
  }
}

}  // namespace

void ExecuteCommand(const CommandRecord& record) {
  CommandContext context{record, {}, {}};
  SetTitleFor(CommandText(record, 0));
  ProcessPendingMessages();
  if (record.code != kCmdProgram) {
    LaunchFlags = 0;
    if (record.HasOption(kOptIgnore)) LaunchFlags |= kLaunchIgnore;
    if (record.HasOption(kOptWarn)) LaunchFlags |= kLaunchWarn;
  }
  PrepareArguments(context);
  HandlerFor(record.code)(context);
}

}  // namespace tolm
