// What the parser driver and the scanner read: the parse tables and scanner
// automata as views over constant data. The program's own tables are written
// as constant arrays when the program is built (front/gen/table_gen.cpp), so
// nothing is computed at start-up; the builders' results offer the same
// views for tests and for the generator.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace tolm {

struct ParseTableView {
  static constexpr int16_t kError = 0;
  static constexpr int16_t kAccept = INT16_MAX;
  // > 0: shift to state value-1; < 0: reduce by rule -value; kError, kAccept.
  std::span<const int16_t> action;            // states x terminalCount
  std::span<const int16_t> gotoState;         // states x nonterminalCount, -1: none
  std::span<const int16_t> defaultReduction;  // per state, 0: none
  std::span<const int16_t> ruleLength;        // index by rule number
  std::span<const int16_t> ruleLhs;           // nonterminal index (0-based)
  int terminalCount = 0;
  int nonterminalCount = 0;
  int stateCount = 0;

  int16_t Action(int state, int token) const {
    return action[static_cast<size_t>(state) * static_cast<size_t>(terminalCount) + static_cast<size_t>(token)];
  }
  int16_t Goto(int state, int nonterminal) const {
    return gotoState[static_cast<size_t>(state) * static_cast<size_t>(nonterminalCount) +
                     static_cast<size_t>(nonterminal)];
  }
};

// Per state of a scanner automaton, a few bytes that say whether anything
// beyond taking the next transition is due there.
struct LexStep {
  int16_t acceptRule;   // lowest-numbered rule matched here, 0: none
  int16_t acceptCount;  // how many rules match here
  bool hasTransitions;
  bool tooManyRules;    // the highest rule marked here is above the scanner's 256
  // Neither accepting nor too many rules: nothing to note on arrival.
  bool plain;
  // Some byte leads back to this state (and the rule limit is kept): the
  // scanner may take a run of such bytes at once.
  bool loops;
};

// A scanner automaton as the scanner's inner loop reads it: bytes that every
// state treats alike share a class, transitions sit in one flat table
// (state * classStride + class of the byte).
struct LexAutomatonView {
  const std::array<uint8_t, 256>* byteClass = nullptr;
  int classStride = 0;  // a power of two, at least the number of classes
  std::span<const int16_t> next;  // -1: no transition
  std::span<const LexStep> steps;
  // Start state for StartCondition + AtLineStart (conditions 0, 2, 4, ...).
  std::span<const int16_t> start;
  // States 0..passCount-1 neither accept, nor stop the scan, nor loop: the
  // scanner takes the next character there without looking at the state.
  int passCount = 0;
};

}  // namespace tolm
