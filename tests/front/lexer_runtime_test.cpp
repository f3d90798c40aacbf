#include "front/lexer_runtime.h"

#include <gtest/gtest.h>

#include "expr/expr_lexer.h"
#include "front/lexer_automaton.h"
#include "services/core/errors.h"

namespace tolm {
namespace {

// A scanner over the expression rules, used to drive the runtime directly.
struct Runtime {
  std::string text, out, err;
  TTolmExprLex lex;
  explicit Runtime(std::string input) : text(std::move(input)) { lex.Open(text, "T", out, err); }
};

TEST(LexerRuntime, LastLineGetsALineFeedThenEndOfInput) {
  Runtime r("ab");
  EXPECT_EQ(r.lex.GetChar(), 'a');
  EXPECT_EQ(r.lex.LineNo(), 1);
  EXPECT_EQ(r.lex.ColNo(), 2);
  EXPECT_EQ(r.lex.GetChar(), 'b');
  EXPECT_EQ(r.lex.GetChar(), '\n');
  EXPECT_EQ(r.lex.GetChar(), '\0');
  EXPECT_EQ(r.lex.GetChar(), '\0');
  EXPECT_EQ(r.lex.LineNo(), 1);
  EXPECT_EQ(r.lex.ColNo(), 4);
}

TEST(LexerRuntime, EmptyInputGivesEndAtOnce) {
  Runtime r("");
  EXPECT_EQ(r.lex.GetChar(), '\0');
  EXPECT_EQ(r.lex.LineNo(), 0);
  EXPECT_EQ(r.lex.yylex(), 0);
}

TEST(LexerRuntime, CarriageReturnAtTheEndIsKeptOnce) {
  Runtime r("x\r");
  std::string got;
  for (char c; (c = r.lex.GetChar()) != 0;) got += c;
  EXPECT_EQ(got, "x\r\n");
}

TEST(LexerRuntime, PushBackIsReadAgainAndMovesTheColumn) {
  Runtime r("abc\n");
  EXPECT_EQ(r.lex.GetChar(), 'a');
  EXPECT_EQ(r.lex.GetChar(), 'b');
  r.lex.UngetChar('b');
  EXPECT_EQ(r.lex.ColNo(), 2);
  EXPECT_EQ(r.lex.GetChar(), 'b');
  EXPECT_EQ(r.lex.GetChar(), 'c');
}

TEST(LexerRuntime, LessZeroPushesTheWholeTokenBack) {
  Runtime r("word rest");
  ASSERT_EQ(r.lex.yylex(), kExprIdent);
  EXPECT_EQ(r.lex.yytext(), "word");
  EXPECT_EQ(r.lex.ColNo(), 5);
  r.lex.Less(0);
  EXPECT_EQ(r.lex.ColNo(), 1);
  EXPECT_EQ(r.lex.yylex(), kExprIdent);
  EXPECT_EQ(r.lex.yytext(), "word");
}

TEST(LexerRuntime, LongestLineThatFitsTheBuffer) {
  Runtime ok(std::string(2047, 'x'));
  EXPECT_EQ(ok.lex.GetChar(), 'x');
  Runtime tooLong("a\n" + std::string(2048, 'x'));
  EXPECT_EQ(tooLong.lex.GetChar(), 'a');
  EXPECT_EQ(tooLong.lex.GetChar(), '\n');
  try {
    tooLong.lex.GetChar();
    ADD_FAILURE() << "2048 characters accepted";
  } catch (const LexLimitError& e) {
    EXPECT_EQ(e.Message(), "line too long (limit is 2047 characters)");
  }
  EXPECT_EQ(tooLong.lex.LineNo(), 2);
  EXPECT_EQ(tooLong.lex.ColNo(), 2048);
}

TEST(LexerRuntime, ReadingOnAtANulByteIsFatalThere) {
  Runtime r(std::string("ab\0cd\n", 6));
  EXPECT_EQ(r.lex.GetChar(), 'a');
  EXPECT_EQ(r.lex.GetChar(), 'b');
  try {
    r.lex.GetChar();
    ADD_FAILURE() << "the NUL was read";
  } catch (const LexLimitError& e) {
    EXPECT_EQ(e.Message(), "NUL character in the text");
  }
  EXPECT_EQ(r.lex.LineNo(), 1);
  EXPECT_EQ(r.lex.ColNo(), 3);
}

TEST(LexerRuntime, TraceWritesOnlyWhileOn) {
  Runtime r("");
  LexTrace = false;
  r.lex.Trace("hidden");
  LexTrace = true;
  r.lex.Trace("shown");
  LexTrace = false;
  EXPECT_EQ(r.out, "shown\r\n");
}

// A lexer over arbitrary rules, to reach the limits the two real lexers
// cannot.
class RuleLexer : public TCustomLexer {
 public:
  explicit RuleLexer(const LexAutomaton& a) : TCustomLexer(a.View()) {}
  int yylex() override {
    for (;;) {
      int rule = MatchToken();
      if (rule == kEndOfInput) return 0;
      if (rule != kNoRule) return rule;
    }
  }
};

// Where a limit stops the scan: the message, LineNo:ColNo and yytext's length.
std::string LimitSpot(const std::vector<LexRule>& rules, std::string_view text) {
  LexAutomaton automaton = BuildLexAutomaton(rules, 1);
  RuleLexer lex(automaton);
  std::string out, err;
  lex.Open(text, "T", out, err);
  try {
    while (lex.yylex() != 0) {
    }
  } catch (const LexLimitError& e) {
    return e.Message() + " " + std::to_string(lex.LineNo()) + ":" + std::to_string(lex.ColNo()) + " " +
           std::to_string(lex.yytext().size());
  }
  return "no limit hit";
}

// The message alone.
std::string LimitMessage(const std::vector<LexRule>& rules, std::string_view text) {
  std::string spot = LimitSpot(rules, text);
  if (spot == "no limit hit") return spot;
  spot.erase(spot.rfind(' '));  // yytext length
  spot.erase(spot.rfind(' '));  // LineNo:ColNo
  return spot;
}

TEST(LexerRuntime, Limits) {
  std::vector<LexRule> runs(5, LexRule{{{Chars("a"), Repeat::Plus}}});
  EXPECT_EQ(LimitMessage(runs, std::string(204, 'a')), "no limit hit");
  EXPECT_EQ(LimitMessage(runs, std::string(205, 'a')), "match stack overflow (limit is 1024 matches)");
  std::vector<LexRule> one(1, LexRule{{{Chars("a"), Repeat::Plus}}});
  EXPECT_EQ(LimitMessage(one, std::string(254, 'a')), "no limit hit");
  EXPECT_EQ(LimitMessage(one, std::string(255, 'a')), "yytext overflow (limit is 255 characters)");
}

// Long runs of one state are scanned in one go; the limits must still stop
// the scan at the very character a step-by-step scan stops at, also when the
// run goes on over line ends.
TEST(LexerRuntime, LimitsStopAtTheSameCharacterInsideLongRuns) {
  const LexRule aRun{{{Chars("a"), Repeat::Plus}}};
  const LexRule aLinesRun{{{Chars("a\n"), Repeat::Plus}}};
  std::string lines4, lines10;
  for (int i = 0; i < 100; ++i) lines4 += "aaa\n", lines10 += "aaaaaaaaa\n";
  const struct {
    std::vector<LexRule> rules;
    std::string text;
    const char* spot;
  } cases[] = {
      {std::vector<LexRule>(5, aRun), std::string(300, 'a'), "match stack overflow (limit is 1024 matches) 1:206 205"},
      {{aRun}, std::string(300, 'a'), "yytext overflow (limit is 255 characters) 1:256 255"},
      {{aLinesRun}, lines4, "yytext overflow (limit is 255 characters) 64:4 255"},
      {std::vector<LexRule>(5, aLinesRun), lines10, "match stack overflow (limit is 1024 matches) 21:6 205"},
  };
  for (const auto& c : cases) EXPECT_EQ(LimitSpot(c.rules, c.text), c.spot) << c.text.substr(0, 12);
}

TEST(LexerRuntime, UnmatchedCharactersAreEchoedAndSkipped) {
  LexAutomaton automaton = BuildLexAutomaton({LexRule{{{Chars("a"), Repeat::Plus}}}}, 1);
  RuleLexer lex(automaton);
  std::string out, err;
  lex.Open("xa\nyaa", "T", out, err);
  std::string tokens;
  for (int rule; (rule = lex.yylex()) != 0;) tokens += std::to_string(rule) + ":" + std::string(lex.yytext()) + " ";
  EXPECT_EQ(tokens, "1:a 1:aa ");
  EXPECT_EQ(out, "x\r\ny\r\n");
}

TEST(LexerRuntime, RuleNumbersAbove256AreRejected) {
  std::vector<LexRule> rules(256, LexRule{{{Chars("y"), Repeat::One}}});
  rules.push_back(LexRule{{{Chars("z"), Repeat::One}}});  // rule 257
  EXPECT_EQ(LimitMessage(rules, "y"), "no limit hit");
  EXPECT_EQ(LimitMessage(rules, "z"), "too many rules (limit is 256)");
}

}  // namespace
}  // namespace tolm
