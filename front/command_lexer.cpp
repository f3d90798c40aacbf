#include "front/command_lexer.h"

#include "front/keyword_table.h"
#include "front/token_codes.h"

namespace tolm {
namespace {

const CharClass kBlank = Chars("\t\f ");
const CharClass kBlankOrNewline = Chars("\t\f \n");
const CharClass kWordStart = Chars(".:\\~") | CharRange('A', 'Z') | CharRange('a', 'z');
const CharClass kWordChar = kWordStart | Chars(",_") | CharRange('0', '9');
const CharClass kDigit = CharRange('0', '9');
const CharClass kNewline = Chars("\n");

PatternItem One(const CharClass& c) { return {c, Repeat::One}; }
PatternItem Opt(const CharClass& c) { return {c, Repeat::Optional}; }
PatternItem Many(const CharClass& c) { return {c, Repeat::Star}; }
PatternItem Some(const CharClass& c) { return {c, Repeat::Plus}; }

// Bits of LexRule::conditions: bit 0 initial, bit 1 OLDSTRARG, bit 2 OLDSTRARGFILE.
constexpr uint8_t kAll = 0x7, kOldStrArg = 0x2, kOldStrArgFile = 0x4;

// "\n", blanks, "/" and a keyword spelled in any letter case, then at least
// one blank or line feed: the line feed is absorbed into the keyword.
LexRule NextLineKeyword(std::string_view word) {
  LexRule r{{One(kNewline), Many(kBlank), One(Chars("/"))}, kAll, false};
  for (char c : word) r.pattern.push_back(One(Letter(c)));
  r.pattern.push_back(Some(kBlankOrNewline));
  return r;
}

// The rules in priority order; the rule number is the position (from 1).
std::vector<LexRule> CommandRules() {
  return {
      /* 1 comment line  */ {{Many(kBlank), One(Chars("#;")), Many(AllBut("\n")), One(kNewline)}, kAll, true},
      /* 2 block comment */ {{One(Chars("/")), One(Chars("*"))}, kAll, false},
      /* 3 blank line    */ {{Many(kBlank), One(kNewline)}, kAll, true},
      /* 4 white space   */ {{Some(kBlank)}, kAll, false},
      /* 5 QSTR          */ {{One(Chars("\"")), Many(AllBut("\"")), One(Chars("\""))}, kAll, false},
      /* 6 ARGS argument */ {{One(AllBut("\t\f \n\"/}")), Many(AllBut("\n}"))}, kOldStrArg, false},
      /* 7 file argument */ {{One(AllBut("\t\f \n\"/")), Many(AllBut("\n"))}, kOldStrArgFile, false},
      /* 8 /else         */ NextLineKeyword("else"),
      /* 9 /while        */ NextLineKeyword("while"),
      /* 10 word         */ {{Opt(Chars("/")), One(kWordStart), Many(kWordChar)}, kAll, false},
      /* 11 NUM          */ {{Some(kDigit)}, kAll, false},
      /* 12 "{" later    */ {{One(kNewline), Many(kBlankOrNewline), One(Chars("{")), Many(kBlankOrNewline)}, kAll, false},
      /* 13 "{"          */ {{One(Chars("{")), Many(kBlankOrNewline)}, kAll, false},
      /* 14 "}"          */ {{One(Chars("}"))}, kAll, false},
      /* 15 NL           */ {{One(kNewline)}, kAll, false},
      /* 16 "@"          */ {{One(Chars("@"))}, kAll, false},
      /* 17 any char     */ {{One(AllBut("\n"))}, kAll, false},
  };
}

}  // namespace

const LexAutomaton& CommandLexAutomaton() {
  static const LexAutomaton automaton = BuildLexAutomaton(CommandRules(), 3);
  return automaton;
}

TTolmLex::TTolmLex() : TCustomLexer(CommandLexAutomaton()) {}

int TTolmLex::yylex() {
  for (;;) {
    const int rule = MatchToken();
    if (rule == kEndOfInput) return kTokEnd;
    if (rule == kNoRule) continue;
    const int token = RunAction(rule);
    if (token != kNoToken) return token;
  }
}

int TTolmLex::RunAction(int rule) {
  switch (rule) {
    case 1: return kNoToken;
    case 2: SkipBlockComment(); return kNoToken;
    case 3: Trace("sucked up blank line(s)"); return kNoToken;
    case 4: Trace("sucked up white space"); return kNoToken;
    case 5: TraceToken("got QSTR (", ")"); Start(kCondInitial); return kTokQstr;
    case 6: TraceToken("got OLDSTRARG ID (", ")"); Start(kCondInitial); return kTokId;
    case 7: TraceToken("got OLDSTRARGFILE ID (", ")"); Start(kCondInitial); return kTokId;
    case 8: Trace("got keyword \"/else\""); return kTokElse;
    case 9: Trace("got keyword \"/while\""); return kTokWhile;
    case 10: return KeywordOrWord();
    case 11: TraceToken("got NUM (", ")"); return kTokNum;
    case 12:
    case 13: Trace("got left bracket"); return '{';
    case 14: Trace("got right bracket"); Start(kCondInitial); return '}';
    case 15: Trace("got NL"); Start(kCondInitial); return kTokNl;
    case 16: Trace("got @"); return kTokAt;
    default: TraceToken("got \"", "\" char"); return static_cast<unsigned char>(yytext()[0]);
  }
}

int TTolmLex::KeywordOrWord() {
  const int row = LookupKeyword(yytext());
  if (row < 0) {
    const bool illegal = yytext()[0] == '/';
    TraceToken(illegal ? "got ILLEGAL (" : "got ID (", ")");
    return illegal ? kTokIllegal : kTokId;
  }
  const TKwRec& kw = KeywordRow(row);
  if (kw.SingleArgument) Start(SourceName() == "ARGS" ? kCondOldStrArg : kCondOldStrArgFile);
  if (LexTrace) Trace("got keyword \"" + std::string(kw.Name) + "\"");
  return kw.Code;
}

}  // namespace tolm
