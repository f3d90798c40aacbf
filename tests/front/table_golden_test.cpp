// The parse tables and scanner automata the builders produce, reduced to one
// checksum each (the program runs on the same tables written as constant
// data at build time: generated_tables_test.cpp holds them equal). Changing how the builders work (for speed, say) must leave
// every table byte for byte as it was; a changed checksum means the grammar,
// the lexer rules or the builder's output changed, and which one is worth
// finding out before the constant is updated.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "expr/expr_grammar.h"
#include "expr/expr_lex_rules.h"
#include "front/command_grammar.h"
#include "front/command_lex_rules.h"
#include "front/lalr_builder.h"
#include "front/lexer_automaton.h"

namespace tolm {
namespace {

// FNV-1a, 64 bits, fed value by value in a fixed width.
class Fnv1a {
 public:
  void Add(int64_t value) {
    const auto bits = static_cast<uint64_t>(value);
    for (int byte = 0; byte < 8; ++byte) {
      hash_ ^= (bits >> (8 * byte)) & 0xffu;
      hash_ *= 0x100000001b3ull;
    }
  }
  template <typename T>
  void AddAll(const T& values) {
    Add(static_cast<int64_t>(values.size()));
    for (const auto& v : values) Add(static_cast<int64_t>(v));
  }
  uint64_t Value() const { return hash_; }

 private:
  uint64_t hash_ = 0xcbf29ce484222325ull;
};

uint64_t Checksum(const ParseTables& t) {
  Fnv1a h;
  h.AddAll(t.action);
  h.AddAll(t.gotoState);
  h.AddAll(t.defaultReduction);
  h.AddAll(t.ruleLength);
  h.AddAll(t.ruleLhs);
  h.Add(static_cast<int64_t>(t.conflicts.size()));
  for (const Conflict& c : t.conflicts) {
    h.Add(c.state);
    h.Add(c.token);
    h.Add(c.rule);
    h.Add(c.otherRule);
    h.Add(static_cast<int64_t>(c.resolution));
  }
  h.Add(t.terminalCount);
  h.Add(t.nonterminalCount);
  h.Add(t.stateCount);
  return h.Value();
}

uint64_t Checksum(const LexAutomaton& a) {
  Fnv1a h;
  h.Add(static_cast<int64_t>(a.states.size()));
  for (const LexAutomaton::State& st : a.states) {
    h.AddAll(st.next);
    h.Add(st.acceptRule);
    h.Add(st.acceptCount);
    h.Add(st.highestRule);
    h.Add(st.hasTransitions);
  }
  h.AddAll(a.start);
  h.AddAll(a.byteClass);
  h.Add(a.classStride);
  h.AddAll(a.next);
  h.Add(static_cast<int64_t>(a.steps.size()));
  for (const LexAutomaton::Step& st : a.steps) {
    h.Add(st.acceptRule);
    h.Add(st.acceptCount);
    h.Add(st.hasTransitions);
    h.Add(st.tooManyRules);
    h.Add(st.plain);
    h.Add(st.loops);
  }
  h.Add(a.passCount);
  return h.Value();
}

// Optional items, rules limited to line starts and to some start
// conditions, and more rules than the scanner can number, so that every
// field of the automaton is exercised.
std::vector<LexRule> EdgeLexRules() {
  std::vector<LexRule> rules = {
      {{{Chars("-"), Repeat::Optional}, {CharRange('0', '9'), Repeat::Plus}}, 0x01},
      {{{Chars("#"), Repeat::One}, {AllBut("\n"), Repeat::Star}}, 0xff, true},
      {{{Letter('x'), Repeat::Plus}, {Chars("y"), Repeat::Optional}}, 0x02},
  };
  for (int i = 0; i < 260; ++i) rules.push_back({{{Chars("q"), Repeat::One}, {Chars("z"), Repeat::Star}}});
  rules.push_back({{{Chars("q"), Repeat::One}, {Chars("w"), Repeat::One}}});
  return rules;
}

// An ambiguous grammar: left, right and non-associative operators, an
// operator without precedence and two rules for the same input, so that
// every kind of conflict resolution ends up in the tables.
//   E -> E + E | E ^ E | E < E | E ? E | ( E ) | n | A ;  A -> n
GrammarSpec AmbiguousGrammar() {
  enum : int { kEnd, kPlus, kPow, kLess, kWhat, kOpen, kClose, kNum, kTerminals, kE = kTerminals, kA };
  GrammarSpec g;
  g.terminalCount = kTerminals;
  g.nonterminalCount = 2;
  g.start = kE;
  g.rules = {{kE, {kE, kPlus, kE}}, {kE, {kE, kPow, kE}}, {kE, {kE, kLess, kE}}, {kE, {kE, kWhat, kE}},
             {kE, {kOpen, kE, kClose}}, {kE, {kNum}}, {kE, {kA}}, {kA, {kNum}}};
  g.precedence = {{Assoc::NonAssoc, {kLess}}, {Assoc::Left, {kPlus}}, {Assoc::Right, {kPow}}};
  return g;
}

struct GoldenCase {
  const char* name;
  uint64_t (*checksum)();
  uint64_t expected;
};

const GoldenCase kGolden[] = {
    {"command grammar", [] { return Checksum(BuildLalrTables(CommandGrammar())); }, 0xe41224e246292cb1ull},
    {"expression grammar", [] { return Checksum(BuildLalrTables(ExprGrammar())); }, 0xfab1799b928cd2ecull},
    {"ambiguous grammar", [] { return Checksum(BuildLalrTables(AmbiguousGrammar())); }, 0xe6f5971efba46df4ull},
    {"command lexer", [] { return Checksum(BuildLexAutomaton(CommandLexRules(), kCommandLexConditionCount)); },
     0xc551571fdddd2f8cull},
    {"expression lexer", [] { return Checksum(BuildLexAutomaton(ExprLexRules(), kExprLexConditionCount)); },
     0x66964b867673e373ull},
    {"edge-case lexer", [] { return Checksum(BuildLexAutomaton(EdgeLexRules(), 3)); }, 0xd20340a84177b091ull},
};

TEST(TableGoldenTest, BuiltTablesMatchTheRecordedChecksums) {
  for (const GoldenCase& c : kGolden) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.checksum(), c.expected) << std::hex << "0x" << c.checksum();
  }
}

}  // namespace
}  // namespace tolm
