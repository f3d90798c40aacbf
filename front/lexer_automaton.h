// Scanner automata built from rule patterns given as data. Each rule is a
// sequence of character classes with a repetition each; the builder turns
// the rules of a lexer into one deterministic automaton per start state, the
// same automaton a lex-style generator would emit, so the scanner reads
// exactly as far ahead as that automaton does.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <string_view>
#include <vector>

#include "front/table_views.h"

namespace tolm {

using CharClass = std::bitset<256>;

// The characters listed (byte 0 is never part of a class: it ends the input).
CharClass Chars(std::string_view chars);
// Every byte except 0, line feed excluded or not as listed.
CharClass AllBut(std::string_view chars);
CharClass CharRange(unsigned char first, unsigned char last);
// Upper and lower case of one ASCII letter.
CharClass Letter(char c);

enum class Repeat : uint8_t { One, Optional, Star, Plus };

struct PatternItem {
  CharClass chars;
  Repeat repeat = Repeat::One;
};

struct LexRule {
  std::vector<PatternItem> pattern;
  uint8_t conditions = 0xff;  // bit i: active in start condition 2*i
  bool lineStartOnly = false;
};

struct LexAutomaton {
  struct State {
    std::array<int16_t, 256> next;  // -1: no transition
    int16_t acceptRule = 0;         // lowest-numbered rule matched here, 0: none
    int16_t acceptCount = 0;        // how many rules match here
    int16_t highestRule = 0;        // highest rule number marked here
    bool hasTransitions = false;
  };
  std::vector<State> states;
  // Start state for StartCondition + AtLineStart (conditions 0, 2, 4, ...).
  std::vector<int16_t> start;

  // The same automaton laid out for the scanner's inner loop, small enough
  // to stay in the first-level cache (see LexAutomatonView).
  using Step = LexStep;
  std::array<uint8_t, 256> byteClass{};
  int classStride = 0;  // a power of two, at least the number of classes
  std::vector<int16_t> next;
  std::vector<Step> steps;
  // States 0..passCount-1 neither accept, nor stop the scan, nor loop: the
  // scanner takes the next character there without looking at the state.
  int passCount = 0;

  // The automaton as the scanner reads it; valid while this lives.
  LexAutomatonView View() const { return {&byteClass, classStride, next, steps, start, passCount}; }
};

// Rules are numbered from 1 in the order given.
LexAutomaton BuildLexAutomaton(const std::vector<LexRule>& rules, int conditionCount);

}  // namespace tolm
