#include "front/command_lexer.h"

#include "front/built_tables.h"
#include "front/keyword_table.h"
#include "front/token_codes.h"

namespace tolm {

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
