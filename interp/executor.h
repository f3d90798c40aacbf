// The command executor: what every command does first (title, pending events,
// flags, argument preparation), then the branch for its code.
#pragma once

#include <string>
#include <vector>

#include "front/command_store.h"

namespace tolm {

// What one command works with; made afresh for every execution.
struct CommandContext {
  const CommandRecord& record;
  // Entry 0: the command's name (a program line: the program in double quotes);
  // then the prepared arguments.
  std::vector<std::string> ArgumentList;
  // The one-text argument, or a program line's parameter text.
  std::string ArgumentText;
};

using CommandHandler = void (*)(CommandContext& context);

void ExecuteCommand(const CommandRecord& record);

// The branches, one file each group.
void ExecuteProgramLine(CommandContext& context);
void ExecuteRunFile(CommandContext& context);
void ExecuteDo(CommandContext& context);
void ExecuteIf(CommandContext& context);
void ExecuteSet(CommandContext& context);
void ExecuteCd(CommandContext& context);
void ExecuteSleep(CommandContext& context);
void ExecuteWaitAll(CommandContext& context);
void ExecutePause(CommandContext& context);
void ExecuteKill(CommandContext& context);
void ExecuteActivate(CommandContext& context);
void ExecuteClose(CommandContext& context);
void ExecuteKillWindow(CommandContext& context);
void ExecuteWaitFor(CommandContext& context);
void ExecuteWaitClose(CommandContext& context);
void ExecuteSendKeys(CommandContext& context);
void ExecuteEdit(CommandContext& context);
void ExecutePlist(CommandContext& context);
void ExecuteWlist(CommandContext& context);

}  // namespace tolm
