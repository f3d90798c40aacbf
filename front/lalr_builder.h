// A small LALR(1) table builder: grammars are declared as data (rules and
// precedence levels) and turned into the action/goto tables the parser
// driver runs on. Conflicts are resolved the way yacc resolves them and are
// recorded so that a grammar's conflicts can be checked.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "front/table_views.h"

namespace tolm {

enum class Assoc : uint8_t { Left, Right, NonAssoc };

struct GrammarRule {
  int lhs;               // a nonterminal: a symbol >= terminalCount
  std::vector<int> rhs;  // terminals are token codes, nonterminals as above
};

struct PrecedenceLevel {
  Assoc assoc;
  std::vector<int> tokens;  // later levels bind tighter
};

struct GrammarSpec {
  int terminalCount = 0;                 // tokens are 0..terminalCount-1; 0 is the end of input
  int nonterminalCount = 0;              // nonterminals are terminalCount..+nonterminalCount-1
  int start = 0;                         // start nonterminal
  std::vector<GrammarRule> rules;        // rule 1 is rules[0]
  std::vector<PrecedenceLevel> precedence;
};

enum class ConflictResolution : uint8_t {
  ShiftByDefault,     // neither side has a precedence: shift, as yacc does
  ShiftByPrecedence,  // the token binds tighter, or equal and right-assoc
  ReduceByPrecedence, // the rule binds tighter, or equal and left-assoc
  ErrorByNonAssoc,
  ReduceEarlierRule,  // reduce/reduce: the earlier rule wins
};

struct Conflict {
  int state;
  int token;
  int rule;       // the reduction involved (for reduce/reduce: the losing rule)
  int otherRule;  // reduce/reduce: the winning rule; 0 for shift/reduce
  ConflictResolution resolution;
};

struct ParseTables {
  static constexpr int16_t kError = 0;
  static constexpr int16_t kAccept = INT16_MAX;
  // > 0: shift to state value-1; < 0: reduce by rule -value; kError, kAccept.
  std::vector<int16_t> action;  // states x terminalCount
  std::vector<int16_t> gotoState;  // states x nonterminalCount, -1: none
  std::vector<int16_t> defaultReduction;  // per state, 0: none
  std::vector<int16_t> ruleLength;        // index by rule number
  std::vector<int16_t> ruleLhs;           // nonterminal index (0-based)
  std::vector<Conflict> conflicts;
  int terminalCount = 0;
  int nonterminalCount = 0;
  int stateCount = 0;

  // The tables as the parser driver reads them; valid while this lives.
  ParseTableView View() const {
    return {action, gotoState, defaultReduction, ruleLength, ruleLhs, terminalCount, nonterminalCount, stateCount};
  }
};

ParseTables BuildLalrTables(const GrammarSpec& grammar);

}  // namespace tolm
