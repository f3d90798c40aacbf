// The expression lexer's 7 rules as data, for the automaton builder: the
// generator turns them into the constant automaton the program scans with.
#pragma once

#include <vector>

#include "front/lexer_automaton.h"

namespace tolm {

// One start condition.
inline constexpr int kExprLexConditionCount = 1;

// The rules in priority order; the rule number is the position (from 1).
std::vector<LexRule> ExprLexRules();

}  // namespace tolm
