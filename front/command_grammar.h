// The command grammar (80 rules) with its semantic actions, and its parse
// tables, built once per process.
#pragma once

#include <cstdint>
#include <vector>

#include "front/command_parser.h"
#include "front/lalr_builder.h"

namespace tolm {

inline constexpr int kCommandRuleCount = 80;

const GrammarSpec& CommandGrammar();
const ParseTables& CommandParseTables();
// What reducing by a rule does besides building its value.
enum class RuleEffect : uint8_t {
  None,
  StringExpected,  // reports "string expected": a required text is missing
  ErrorOk,         // ends error recovery
};
// Builds a rule's value: v[0] is $1, v[1] is $2, ...; the value goes to v[0].
using CommandBuild = void (*)(TTolmYacc& parser, CommandValue* v);
// The semantic action of a rule, in this order: its trace line (null: none),
// its effect, its build (null: the value of $1 passes on), and whether it
// builds a text: those builds run in a check as well, which must find a text
// that grows beyond 255 characters.
struct CommandAction {
  const char* trace = nullptr;
  RuleEffect effect = RuleEffect::None;
  CommandBuild build = nullptr;
  bool buildsText = false;
};
// Indexed by rule number (1..80).
const std::vector<CommandAction>& CommandActions();

}  // namespace tolm
