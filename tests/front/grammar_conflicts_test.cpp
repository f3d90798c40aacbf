#include <gtest/gtest.h>

#include <map>
#include <set>

#include "expr/expr_grammar.h"
#include "expr/expr_lexer.h"
#include "front/built_tables.h"
#include "front/command_grammar.h"

namespace tolm {
namespace {

const char* ResolutionName(ConflictResolution r) {
  switch (r) {
    case ConflictResolution::ShiftByDefault: return "shift";
    case ConflictResolution::ShiftByPrecedence: return "shift(prec)";
    case ConflictResolution::ReduceByPrecedence: return "reduce(prec)";
    case ConflictResolution::ErrorByNonAssoc: return "error";
    case ConflictResolution::ReduceEarlierRule: return "reduce/reduce";
  }
  return "?";
}

// Conflicts grouped as "token vs rule -> resolution" with how often each
// occurs across states.
std::map<std::string, int> Summary(const ParseTables& t, std::string (*tokenName)(int)) {
  std::map<std::string, int> out;
  for (const Conflict& c : t.conflicts)
    ++out[tokenName(c.token) + " vs rule " + std::to_string(c.rule) + " -> " + ResolutionName(c.resolution)];
  return out;
}

// The conflicts are recorded by the builder only; the program's constant
// tables are the same tables (see table_golden_test.cpp).
const ParseTables& BuiltCommandTables() {
  static const ParseTables tables = BuildLalrTables(CommandGrammar());
  return tables;
}
const ParseTables& BuiltExprTables() {
  static const ParseTables tables = BuildLalrTables(ExprGrammar());
  return tables;
}

std::string CharToken(int token) { return std::string(1, static_cast<char>(token)); }

TEST(GrammarConflicts, CommandGrammarHasOnlyTheOperatorConflicts) {
  const ParseTables& t = BuiltCommandTables();
  // Rules 62, 63, 64 join strterms with "&", "+", "-". Every conflict with "&"
  // shifts; "+"/"-" against "+"/"-" reduce (left-associative, same level).
  const std::map<std::string, int> expected = {
      {"& vs rule 62 -> shift", 1},        {"& vs rule 63 -> shift", 1},        {"& vs rule 64 -> shift", 1},
      {"+ vs rule 62 -> shift", 1},        {"- vs rule 62 -> shift", 1},        {"+ vs rule 63 -> reduce(prec)", 1},
      {"- vs rule 63 -> reduce(prec)", 1}, {"+ vs rule 64 -> reduce(prec)", 1}, {"- vs rule 64 -> reduce(prec)", 1},
  };
  EXPECT_EQ(Summary(t, CharToken), expected);
}

std::string ExprTokenName(int token) {
  static const std::map<int, std::string> names = {
      {0, "$end"},     {kExprEnv, "ENV"},       {kExprErrorlevel, "ERRORLEVEL"}, {kExprEq, "EQ"},
      {kExprNe, "NE"}, {kExprLt, "LT"},         {kExprGt, "GT"},                 {kExprNumber, "NUMBER"},
      {kExprIdent, "IDENT"}, {kExprString, "STRING"}, {kExprNewline, "NEWLINE"}};
  auto it = names.find(token);
  return it != names.end() ? it->second : CharToken(token);
}

TEST(GrammarConflicts, ExpressionConflictsShiftExceptLeftAssociativeArithmetic) {
  const ParseTables& t = BuiltExprTables();
  std::set<std::string> reduceByPrecedence;
  for (const Conflict& c : t.conflicts) {
    ASSERT_NE(c.resolution, ConflictResolution::ReduceEarlierRule) << "rule " << c.rule;
    ASSERT_NE(c.resolution, ConflictResolution::ErrorByNonAssoc);
    if (c.resolution == ConflictResolution::ReduceByPrecedence) {
      reduceByPrecedence.insert(ExprTokenName(c.token) + " vs rule " + std::to_string(c.rule));
      continue;
    }
    EXPECT_EQ(c.resolution, ConflictResolution::ShiftByDefault)
        << ExprTokenName(c.token) << " vs rule " << c.rule;
  }
  // Only "a + b + c" and friends reduce: rules 12 (+) and 13 (-).
  EXPECT_EQ(reduceByPrecedence,
            (std::set<std::string>{"+ vs rule 12", "+ vs rule 13", "- vs rule 12", "- vs rule 13"}));
}

TEST(GrammarConflicts, ExpressionConflictListIsExactlyTheDocumentedOnes) {
  // Rule 9 is the empty operand: it loses to every token that starts an
  // operand, to the line end and the end of input (the top level goes on),
  // in each state where an operand may stand. Rules 2, 3 (top-level element),
  // 5..8 (comparisons), 11 ("&") lose to a following operator; rules 12, 13
  // ("+", "-") reduce before "+" and "-" only.
  std::map<std::string, int> expected;
  for (const char* rule : {"2", "3", "5", "6", "7", "8", "11"})
    for (const char* op : {"&", "+", "-"}) expected[std::string(op) + " vs rule " + rule + " -> shift"] = 1;
  for (const char* rule : {"12", "13"}) {
    expected[std::string("& vs rule ") + rule + " -> shift"] = 1;
    for (const char* op : {"+", "-"}) expected[std::string(op) + " vs rule " + rule + " -> reduce(prec)"] = 1;
  }
  for (const char* token : {"ENV", "ERRORLEVEL", "IDENT", "NUMBER", "STRING"})
    expected[std::string(token) + " vs rule 9 -> shift"] = 9;
  expected["NEWLINE vs rule 9 -> shift"] = 1;
  expected["$end vs rule 9 -> shift"] = 1;
  EXPECT_EQ(Summary(BuiltExprTables(), ExprTokenName), expected);
}

TEST(GrammarTables, DefaultReductionsCarryTokenTexts) {
  // Rules 75, 76, 78, 80 read yytext: each state reached by shifting their
  // token must reduce without reading the next token.
  const ParseTableView& t = CommandParseTables();
  std::set<int> defaults;
  for (int s = 0; s < t.stateCount; ++s) defaults.insert(t.defaultReduction[static_cast<size_t>(s)]);
  for (int rule : {75, 76, 78, 80}) EXPECT_TRUE(defaults.count(rule)) << rule;
  const ParseTableView& e = ExprParseTables();
  std::set<int> exprDefaults;
  for (int s = 0; s < e.stateCount; ++s) exprDefaults.insert(e.defaultReduction[static_cast<size_t>(s)]);
  for (int rule : {16, 17, 18}) EXPECT_TRUE(exprDefaults.count(rule)) << rule;
}

}  // namespace
}  // namespace tolm
