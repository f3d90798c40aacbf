// The LR parser driver shared by the command parser and the expression
// parser: fixed stacks of 2048 entries, default reductions, one error
// report per syntax error and yacc-style recovery through the error token.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "front/table_views.h"
#include "services/core/limits.h"
#include "front/lexer_runtime.h"

namespace tolm {

inline constexpr int kErrorToken = 256;

// The two-line report: "Line L Col C in file \"S\"" CR LF message " at " yytext.
std::string ErrorReport(const TCustomLexer& lexer, std::string_view message);

// Value is the semantic value type of the concrete grammar; it must be
// default-constructible (the empty value) and movable.
template <class Value>
class TCustomParser {
 public:
  static constexpr int kStackSize = kParserStackSize;

  int32_t Lookahead = -1;
  int32_t ErrorCount = 0;
  int32_t RecoveryState = 0;

  TCustomParser(const ParseTableView& tables, TCustomLexer& lexer)
      : tables_(tables), lexer_(lexer), states_(kInitialStack), values_(kInitialStack + 1) {}
  virtual ~TCustomParser() = default;
  TCustomParser(const TCustomParser&) = delete;
  TCustomParser& operator=(const TCustomParser&) = delete;

  TCustomLexer& Lexer() { return lexer_; }

  // Writes the report to the lexer's error stream, as one line.
  virtual void yyerror(std::string_view message) {
    std::string report = ErrorReport(lexer_, message);
    report.append("\r\n");
    lexer_.ErrorStream().append(report);
  }
  void yyerrok() { RecoveryState = 0; }

 protected:
  // Marks the rules whose action has nothing to do in the coming parse
  // (nonzero entries, indexed by rule number): the driver does not call
  // Reduce for them. Null: every action runs. The table must outlive the parse.
  void SkipActions(const uint8_t* rules) { skipActions_ = rules; }

  // Runs the semantic action of a rule. v[0] is $1, v[1] is $2, ...; the
  // action leaves the rule's value in v[0] (the slot the goto state takes
  // over), so a rule that passes $1 on does nothing at all.
  virtual void Reduce(int rule, Value* v) = 0;

  // 0 when the input was accepted, 1 when the parse was aborted.
  int yyparse() {
    StackReleaser releaser{*this};
    try {
      return Drive();
    } catch (const LexLimitError& limit) {
      yyerror(limit.Message());
      return 1;
    }
  }

 private:
  // Drops whatever values a finished (or aborted) parse left on the stack:
  // only actions put values there, at most up to highWater_.
  struct StackReleaser {
    TCustomParser& p;
    ~StackReleaser() {
      for (int i = 0; i < p.highWater_; ++i) p.values_[static_cast<size_t>(i)] = Value{};
      p.highWater_ = 0;
    }
  };

  // Tokens carry no value, so a shift stores nothing: the value slot of a
  // token is never read by an action and is overwritten (or released at the
  // end of the parse) later. A reduction writes its result into the slot of
  // its first right-hand symbol, which the goto state then occupies.
  //
  // The tables are read through local pointers: the calls into the lexer and
  // the actions would otherwise make the compiler fetch them anew each step.
  int Drive() {
    const int16_t* const defaultReduction = tables_.defaultReduction.data();
    const int16_t* const actions = tables_.action.data();
    const int16_t* const gotos = tables_.gotoState.data();
    const int16_t* const ruleLength = tables_.ruleLength.data();
    const int16_t* const ruleLhs = tables_.ruleLhs.data();
    const size_t terminals = static_cast<size_t>(tables_.terminalCount);
    const size_t nonterminals = static_cast<size_t>(tables_.nonterminalCount);
    int* states = states_.data();
    Value* values = values_.data();
    const uint8_t* const skip = skipActions_;
    int state = 0, depth = 0;
    Lookahead = -1;
    ErrorCount = 0;
    RecoveryState = 0;
    for (;;) {
      if (depth == kStackSize) {
        yyerror("yyparse stack overflow");
        return 1;
      }
      if (depth == static_cast<int>(states_.size())) {
        Grow();
        states = states_.data();
        values = values_.data();
      }
      states[depth] = state;
      ++depth;
      for (;;) {  // next action in this state, without pushing
        const int rule = defaultReduction[state];
        if (rule == 0 && Lookahead < 0) {
          const int token = lexer_.yylex();
          Lookahead = token < 0 ? 0 : token;
        }
        const int action =
            rule != 0 ? -rule : actions[static_cast<size_t>(state) * terminals + static_cast<size_t>(Lookahead)];
        if (action == ParseTableView::kAccept) return 0;
        if (action > 0) {  // shift
          state = action - 1;
          Lookahead = -1;
          if (RecoveryState > 0) --RecoveryState;
          break;
        }
        if (action < 0) {  // reduce, then push the goto state
          const int reduced = -action;
          const int base = depth - ruleLength[reduced];
          if (skip == nullptr || skip[reduced] == 0) {
            if (base + 1 > highWater_) highWater_ = base + 1;
            Reduce(reduced, values + base);
          }
          depth = base;
          state = gotos[static_cast<size_t>(states[depth - 1]) * nonterminals + static_cast<size_t>(ruleLhs[reduced])];
          break;
        }
        const int recovered = Recover(depth);
        if (recovered == kAbort) return 1;
        if (recovered == kDiscarded) continue;
        depth = recovered;
        values_[static_cast<size_t>(depth)] = Value{};  // the error token's slot
        state = tables_.Action(states[depth - 1], kErrorToken) - 1;
        break;
      }
    }
  }

  // The stacks start small and double as a parse goes deeper, up to the
  // fixed 2048 entries: most parses never need more than a few dozen, and
  // every parser made at start-up would otherwise set up all of them.
  static constexpr int kInitialStack = 16;
  void Grow() {
    const size_t size = std::min(states_.size() * 2, static_cast<size_t>(kStackSize));
    states_.resize(size);
    values_.resize(size + 1);
  }

  // A reduction runs the action on the slots of its right-hand side; an
  // empty rule on a full stack writes its value into the spare slot past
  // the end, and the push that follows reports the overflow.

  static constexpr int kAbort = -1;
  static constexpr int kDiscarded = -2;

  // Syntax error: report (unless still recovering), then either pop to a
  // state that shifts the error token (returns the new depth) or discard the
  // lookahead (kDiscarded); kAbort when nothing is left to try.
  int Recover(int depth) {
    if (RecoveryState == 0) {
      yyerror("syntax error");
      ++ErrorCount;
    }
    if (RecoveryState <= 2) {
      RecoveryState = 3;
      while (depth > 0 && tables_.Action(states_[static_cast<size_t>(depth - 1)], kErrorToken) <= 0) {
        values_[static_cast<size_t>(depth - 1)] = Value{};
        --depth;
      }
      return depth == 0 ? kAbort : depth;
    }
    if (Lookahead == 0) return kAbort;
    Lookahead = -1;
    return kDiscarded;
  }

  const ParseTableView tables_;
  TCustomLexer& lexer_;
  std::vector<int> states_;
  std::vector<Value> values_;  // one spare slot past the stack, see ReduceBy
  int highWater_ = 0;
  const uint8_t* skipActions_ = nullptr;
};

}  // namespace tolm
