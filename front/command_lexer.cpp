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

// Bits of LexRule::conditions: bit i is start condition 2*i (bit 0 initial,
// bit 1 OLDSTRARG, bit 2 OLDSTRARGFILE, ...). The conditions from 6 on read a
// word again that begins with "/": only their own rules are active there.
constexpr uint8_t kAll = 0x7, kOldStrArg = 0x2, kOldStrArgFile = 0x4;
constexpr uint8_t kSlashArg = 0x8, kSlashArgFile = 0x10, kProgramPath = 0x20, kRunFilePath = 0x40;
constexpr int kConditionCount = 7;
const CharClass kSlash = Chars("/");
// What a file name after "@" may hold. It ends before "*" and does not end
// with "/", so a block comment right after it ("@/a/*c*/") stays a comment.
const CharClass kPathChar = AllBut("\t\f \n\"}*");

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
      /* 10 word         */ {{Opt(kSlash), One(kWordStart), Many(kWordChar)}, kAll | kProgramPath, false},
      /* 11 NUM          */ {{Some(kDigit)}, kAll, false},
      /* 12 "{" later    */ {{One(kNewline), Many(kBlankOrNewline), One(Chars("{")), Many(kBlankOrNewline)}, kAll, false},
      /* 13 "{"          */ {{One(Chars("{")), Many(kBlankOrNewline)}, kAll, false},
      /* 14 "}"          */ {{One(Chars("}"))}, kAll, false},
      /* 15 NL           */ {{One(kNewline)}, kAll, false},
      /* 16 "@"          */ {{One(Chars("@"))}, kAll, false},
      /* 17 any char     */ {{One(AllBut("\n"))}, kAll, false},
      /* 18 "/" argument */ {{One(kSlash), Many(AllBut("\n"))}, kSlashArgFile, false},
      /* 19 "/" ARGS arg */ {{One(kSlash), Many(AllBut("\n}"))}, kSlashArg, false},
      /* 20 program path */ {{One(kSlash), One(kWordStart), Many(kWordChar), One(kSlash), Many(kWordChar | kSlash)}, kProgramPath, false},
      /* 21 "@" file path*/ {{One(kSlash), Many(kPathChar), One(kPathChar & ~kSlash)}, kRunFilePath, false},
  };
}

}  // namespace

const LexAutomaton& CommandLexAutomaton() {
  static const LexAutomaton automaton = BuildLexAutomaton(CommandRules(), kConditionCount);
  return automaton;
}

TTolmLex::TTolmLex() : TCustomLexer(CommandLexAutomaton()) {}

void TTolmLex::Open(std::string_view input, const std::string& sourceName, std::string& out, std::string& err) {
  lastToken_ = kTokNl;
  TCustomLexer::Open(input, sourceName, out, err);
}

void TTolmLex::Open(TextSource& input, const std::string& sourceName, std::string& out, std::string& err) {
  lastToken_ = kTokNl;
  TCustomLexer::Open(input, sourceName, out, err);
}

int TTolmLex::yylex() {
  for (;;) {
    const int rule = MatchToken();
    if (rule == kEndOfInput) {
      lastToken_ = kTokNl;
      return kTokEnd;
    }
    if (rule == kNoRule) continue;
    const int token = RunAction(rule);
    if (token != kNoToken) return lastToken_ = token;
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
    case 17: return SlashCharacter();
    case 18: TraceToken("got OLDSTRARGFILE ID (", ")"); Start(kCondInitial); return kTokId;
    case 19: TraceToken("got OLDSTRARG ID (", ")"); Start(kCondInitial); return kTokId;
    case 20: TraceToken("got ID (", ")"); Start(kCondInitial); return kTokId;
    default: TraceToken("got ILLEGAL (", ")"); Start(kCondInitial); return kTokIllegal;
  }
}

bool TTolmLex::InOneTextArgument() const {
  return StartCondition() == kCondOldStrArg || StartCondition() == kCondOldStrArgFile;
}

int32_t TTolmLex::SlashArgumentCondition() const {
  return StartCondition() == kCondOldStrArg ? kCondSlashArg : kCondSlashArgFile;
}

int TTolmLex::ReadAgainAs(int32_t condition) {
  Less(0);
  Start(condition);
  return kNoToken;
}

// A "/" that begins no word and no comment: an argument text may still begin
// with it ("/cd /" goes to the root folder).
int TTolmLex::SlashCharacter() {
  if (yytext()[0] == '/' && InOneTextArgument()) return ReadAgainAs(SlashArgumentCondition());
  TraceToken("got \"", "\" char");
  return static_cast<unsigned char>(yytext()[0]);
}

// Where only an option keyword could follow, any other word that begins with
// "/" is read again as a path (see the header); elsewhere keywords are
// keywords and other "/" words ILLEGAL, as always.
int TTolmLex::KeywordOrWord() {
  const int row = LookupKeyword(yytext());
  if (yytext()[0] == '/' && (row < 0 || !IsOptionToken(KeywordRow(row).Code))) {
    if (InOneTextArgument()) return ReadAgainAs(SlashArgumentCondition());
    if (AtRunFileName()) return ReadAgainAs(kCondRunFilePath);
    if (row < 0 && AtCommandWord() && StartCondition() == kCondInitial) return ReadAgainAs(kCondProgramPath);
  }
  // A command word read again without a second "/" stays what it was.
  if (StartCondition() == kCondProgramPath) Start(kCondInitial);
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
