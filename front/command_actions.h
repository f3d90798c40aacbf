// The semantic actions of the command grammar: what each rule builds.
#pragma once

#include <array>

#include "front/command_grammar.h"
#include "front/command_parser.h"

namespace tolm {

// Builds a rule's value: v[0] is $1, v[1] is $2, ...; the value goes to v[0].
using CommandBuild = void (*)(TTolmYacc& parser, CommandValue* v);
// The semantic action of a rule, in this order: its trace line (null: none),
// its effect, its build (null: the value of $1 passes on), and whether it
// builds a text (see CommandRuleTraits).
struct CommandAction {
  const char* trace = nullptr;
  RuleEffect effect = RuleEffect::None;
  CommandBuild build = nullptr;
  bool buildsText = false;
};
// Indexed by rule number (1..80).
const std::array<CommandAction, kCommandRuleCount + 1>& CommandActions();

}  // namespace tolm
