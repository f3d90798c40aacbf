// The constant tables the build generated are exactly what the builders
// produce from the grammars and lexer rules now: a stale or garbled
// generated file fails here, the builders' own output is held to the golden
// checksums in table_golden_test.cpp.
#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <vector>

#include "expr/expr_grammar.h"
#include "expr/expr_lex_rules.h"
#include "front/built_tables.h"
#include "front/command_grammar.h"
#include "front/command_lex_rules.h"

namespace tolm {
namespace {

template <class T>
std::vector<T> Values(std::span<const T> values) {
  return {values.begin(), values.end()};
}

std::vector<std::vector<int>> Steps(std::span<const LexStep> steps) {
  std::vector<std::vector<int>> rows;
  for (const LexStep& s : steps)
    rows.push_back({s.acceptRule, s.acceptCount, s.hasTransitions, s.tooManyRules, s.plain, s.loops});
  return rows;
}

void ExpectSame(const ParseTableView& generated, const ParseTables& built) {
  const ParseTableView expected = built.View();
  EXPECT_EQ(Values(generated.action), Values(expected.action));
  EXPECT_EQ(Values(generated.gotoState), Values(expected.gotoState));
  EXPECT_EQ(Values(generated.defaultReduction), Values(expected.defaultReduction));
  EXPECT_EQ(Values(generated.ruleLength), Values(expected.ruleLength));
  EXPECT_EQ(Values(generated.ruleLhs), Values(expected.ruleLhs));
  EXPECT_EQ(generated.terminalCount, expected.terminalCount);
  EXPECT_EQ(generated.nonterminalCount, expected.nonterminalCount);
  EXPECT_EQ(generated.stateCount, expected.stateCount);
}

void ExpectSame(const LexAutomatonView& generated, const LexAutomaton& built) {
  const LexAutomatonView expected = built.View();
  EXPECT_EQ(*generated.byteClass, *expected.byteClass);
  EXPECT_EQ(generated.classStride, expected.classStride);
  EXPECT_EQ(Values(generated.next), Values(expected.next));
  EXPECT_EQ(Steps(generated.steps), Steps(expected.steps));
  EXPECT_EQ(Values(generated.start), Values(expected.start));
  EXPECT_EQ(generated.passCount, expected.passCount);
}

TEST(GeneratedTables, ParseTablesAreTheBuildersOutput) {
  {
    SCOPED_TRACE("command grammar");
    ExpectSame(CommandParseTables(), BuildLalrTables(CommandGrammar()));
  }
  {
    SCOPED_TRACE("expression grammar");
    ExpectSame(ExprParseTables(), BuildLalrTables(ExprGrammar()));
  }
}

TEST(GeneratedTables, LexerAutomataAreTheBuildersOutput) {
  {
    SCOPED_TRACE("command lexer");
    ExpectSame(CommandLexAutomaton(), BuildLexAutomaton(CommandLexRules(), kCommandLexConditionCount));
  }
  {
    SCOPED_TRACE("expression lexer");
    ExpectSame(ExprLexAutomaton(), BuildLexAutomaton(ExprLexRules(), kExprLexConditionCount));
  }
}

}  // namespace
}  // namespace tolm
