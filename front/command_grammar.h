// The command grammar (80 rules) with its semantic actions, and its parse
// tables, built once per process.
#pragma once

#include "front/command_parser.h"
#include "front/lalr_builder.h"

namespace tolm {

inline constexpr int kCommandRuleCount = 80;

const GrammarSpec& CommandGrammar();
const ParseTables& CommandParseTables();
// The semantic action of each rule, indexed by rule number (1..80): v[0] is
// $1, v[1] is $2, ...; the action leaves the rule's value in v[0].
using CommandAction = void (*)(TTolmYacc& parser, CommandValue* v);
const std::vector<CommandAction>& CommandActions();

}  // namespace tolm
