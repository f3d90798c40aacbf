// The expression grammar (21 rules) as data, for the table builder: the
// generator turns it into the constant tables the expression parser runs on.
#pragma once

#include "front/lalr_builder.h"

namespace tolm {

inline constexpr int kExprRuleCount = 21;

const GrammarSpec& ExprGrammar();

}  // namespace tolm
