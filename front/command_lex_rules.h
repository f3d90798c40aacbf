// The command lexer's 21 rules as data, for the automaton builder: the
// generator turns them into the constant automaton the program scans with.
#pragma once

#include <vector>

#include "front/lexer_automaton.h"

namespace tolm {

// Start conditions 0, 2, ..., 12 (see CommandLexCondition).
inline constexpr int kCommandLexConditionCount = 7;

// The rules in priority order; the rule number is the position (from 1).
std::vector<LexRule> CommandLexRules();

}  // namespace tolm
