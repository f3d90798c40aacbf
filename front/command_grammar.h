// The command grammar (80 rules) with its semantic actions, and its parse
// tables, built once per process.
#pragma once

#include "front/command_parser.h"
#include "front/lalr_builder.h"

namespace tolm {

inline constexpr int kCommandRuleCount = 80;

const GrammarSpec& CommandGrammar();
const ParseTables& CommandParseTables();
// Runs the action of rule 1..80; rhs[0] is $1.
void RunCommandAction(int rule, TTolmYacc& parser, CommandValue* rhs, CommandValue& result);

}  // namespace tolm
