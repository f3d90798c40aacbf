#include "expr/expr_grammar.h"

#include "expr/expr_lexer.h"

namespace tolm {
namespace {

enum Nonterminal : int {
  input = kExprTerminalCount, comparison, expr, identval, numval, strval, operand, kAfterLastNonterminal
};

GrammarSpec MakeGrammar() {
  GrammarSpec g;
  g.terminalCount = kExprTerminalCount;
  g.nonterminalCount = static_cast<int>(kAfterLastNonterminal) - static_cast<int>(kExprTerminalCount);
  g.start = input;
  g.rules = {
      /* 1 */ {input, {comparison}},
      /* 2 */ {input, {expr}},
      /* 3 */ {input, {input, expr}},
      /* 4 */ {input, {input, kExprNewline}},
      /* 5 */ {comparison, {expr, kExprEq, expr}},
      /* 6 */ {comparison, {expr, kExprNe, expr}},
      /* 7 */ {comparison, {expr, kExprLt, expr}},
      /* 8 */ {comparison, {expr, kExprGt, expr}},
      /* 9 */ {expr, {}},
      /* 10 */ {expr, {operand}},
      /* 11 */ {expr, {expr, '&', expr}},
      /* 12 */ {expr, {expr, '+', expr}},
      /* 13 */ {expr, {expr, '-', expr}},
      /* 14 */ {expr, {kExprEnv, '(', expr, ')'}},
      /* 15 */ {expr, {kExprErrorlevel, '(', ')'}},
      /* 16 */ {identval, {kExprIdent}},
      /* 17 */ {numval, {kExprNumber}},
      /* 18 */ {strval, {kExprString}},
      /* 19 */ {operand, {strval}},
      /* 20 */ {operand, {identval}},
      /* 21 */ {operand, {numval}},
  };
  // "&" and the comparisons have no precedence: their conflicts shift.
  g.precedence = {{Assoc::Left, {'+', '-'}}};
  return g;
}

}  // namespace

const GrammarSpec& ExprGrammar() {
  static const GrammarSpec grammar = MakeGrammar();
  return grammar;
}

}  // namespace tolm
