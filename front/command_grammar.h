// The command grammar (80 rules) as data: the shape of each rule for the
// table builder, and the trace line and parser effect of each rule for the
// parser. What a rule builds is in command_actions.h.
#pragma once

#include <cstdint>

#include "front/lalr_builder.h"

namespace tolm {

inline constexpr int kCommandRuleCount = 80;

const GrammarSpec& CommandGrammar();

// What reducing by a rule does besides building its value.
enum class RuleEffect : uint8_t {
  None,
  StringExpected,  // reports "string expected": a required text is missing
  ErrorOk,         // ends error recovery
};

struct CommandRuleTraits {
  const char* trace;   // the rule's trace line, null: none
  RuleEffect effect;
  // Whether the rule's value is a text: those builds run in a check as well,
  // which must find a text that grows beyond 255 characters.
  bool buildsText;
};
// rule: 1..80.
CommandRuleTraits CommandRule(int rule);

}  // namespace tolm
