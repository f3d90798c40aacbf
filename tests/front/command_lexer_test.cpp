#include "front/command_lexer.h"

#include <gtest/gtest.h>

#include "front/keyword_table.h"
#include "front/recording_ui.h"
#include "front/token_codes.h"

namespace tolm {
namespace {

std::string TokenName(int code, std::string_view text) {
  switch (code) {
    case kTokNum: return "NUM(" + std::string(text) + ")";
    case kTokId: return "ID(" + std::string(text) + ")";
    case kTokQstr: return "QSTR(" + std::string(text) + ")";
    case kTokIllegal: return "ILLEGAL(" + std::string(text) + ")";
    case kTokNl: return "NL";
    default: break;
  }
  if (code >= 257 && code <= 287) {
    for (int row = 1; row <= kKeywordSearchRows; ++row)
      if (KeywordRow(row).Code == code) return std::string(KeywordRow(row).Name);
  }
  if (code == 13) return "'\\r'";
  return "'" + std::string(1, static_cast<char>(code)) + "'";
}

struct LexResult {
  std::string tokens;  // blank-separated token names
  std::string out, err;
};

LexResult LexAll(std::string_view text, const std::string& source = "test.tm") {
  LexResult r;
  TTolmLex lex;
  lex.Open(text, source, r.out, r.err);
  for (int code; (code = lex.yylex()) != 0;) {
    if (!r.tokens.empty()) r.tokens += ' ';
    r.tokens += TokenName(code, lex.yytext());
  }
  return r;
}

TEST(CommandLexer, TokenSequences) {
  const struct {
    const char* text;
    const char* source;
    const char* tokens;
  } cases[] = {
      {"# note\n", "f", ""},
      {"   ; note\n", "f", ""},
      {"notepad # x\n", "f", "ID(notepad) '#' ID(x) NL"},
      {"/activate Untitled - Notepad\n", "f", "/activate ID(Untitled - Notepad) NL"},
      {"/activate /ignore Calc\n", "f", "/activate /i ID(Calc) NL"},  // /ignore and /i share their code
      {"/pause \"Done\" & x\n", "f", "/pause QSTR(\"Done\") '&' ID(x) NL"},
      {"/waitfor Editor }\n", "f", "/waitfor ID(Editor }) NL"},
      {"/waitfor Editor }\n", "ARGS", "/waitfor ID(Editor ) '}' NL"},
      {"/waitfor }x\n", "f", "/waitfor ID(}x) NL"},
      {"/waitfor }x\n", "ARGS", "/waitfor '}' ID(x) NL"},
      {"}\n/else {\n", "f", "'}' /else '{'"},
      {"}\n\n/else {\n", "f", "'}' NL /else '{'"},
      {"} /ELSE {\n", "f", "'}' /else '{'"},
      {"}\n/else{\n", "f", "'}' NL /else '{'"},
      {"}\n  /While x\n", "f", "'}' /while ID(x) NL"},
      {"/if a eq b\n{\n", "f", "/if ID(a) eq ID(b) '{'"},
      {"/if a eq b\n\n  \n {\n", "f", "/if ID(a) eq ID(b) '{'"},
      {"/activate x /* y */\n", "f", "/activate ID(x /* y */) NL"},
      {"/activate /* y */ x\n", "f", "/activate ID(x) NL"},
      {"a /* one\ntwo */ b\n", "f", "ID(a) ID(b) NL"},
      {"\"abc\n", "f", "'\"' ID(abc) NL"},
      {"c:\\tools\\run.exe notepad PROGRA~1 a,b\n", "f", "ID(c:\\tools\\run.exe) ID(notepad) ID(PROGRA~1) ID(a,b) NL"},
      {"my-file 12ab /x.txt c:/dir\n", "f", "ID(my) '-' ID(file) NUM(12) ID(ab) ILLEGAL(/x.txt) ID(c:) ILLEGAL(/dir) NL"},
      {"EQ Ne lT gt\n", "f", "eq ne lt gt NL"},
      {"%TEMP%\n", "f", "'%' ID(TEMP) '%' NL"},
      {"@ x.tm\n", "f", "@ ID(x.tm) NL"},
      {"a\r\nb\r\n", "f", "ID(a) NL ID(b) NL"},
      {"a\rb\n", "f", "ID(a) '\\r' ID(b) NL"},
      {"last", "f", "ID(last) NL"},
      {"", "f", ""},
      {"/* c */\n# not a comment line\n", "f", "'#' ID(not) ID(a) ID(comment) ID(line) NL"},
      {"/set Path=c:\\bin\n", "f", "/set ID(Path) '=' ID(c:\\bin) NL"},
      // Words that begin with "/" where only a path makes sense.
      {"/cd /tmp x\n", "f", "/cd ID(/tmp x) NL"},
      {"/cd /hide /tmp\n", "f", "/cd /h ID(/tmp) NL"},
      {"/cd /tmp }\n", "ARGS", "/cd ID(/tmp ) '}' NL"},
      {"/cd / \n/x\n", "f", "/cd ID(/ ) NL ILLEGAL(/x) NL"},
      {"/usr/bin/env /w a/b /c/d\n", "f", "ID(/usr/bin/env) /w ID(a) ILLEGAL(/b) ILLEGAL(/c) ILLEGAL(/d) NL"},
      {"x\n/a/b\n{/c/d}\n", "f", "ID(x) NL ID(/a/b) '{' ID(/c/d) '}' NL"},
      {"/usr x\n", "f", "ILLEGAL(/usr) ID(x) NL"},
      {"@/a/b.tm /c/d\n", "f", "@ ILLEGAL(/a/b.tm) ILLEGAL(/c) ILLEGAL(/d) NL"},
  };
  for (const auto& c : cases) EXPECT_EQ(LexAll(c.text, c.source).tokens, c.tokens) << c.text;
}

TEST(CommandLexer, UnterminatedBlockCommentIsReported) {
  LexResult r = LexAll("a\n/* open\nstill open\n");
  EXPECT_EQ(r.tokens, "ID(a) NL");
  EXPECT_EQ(r.err, "unexpected EOF inside comment at line 3\r\n");
}

TEST(CommandLexer, TraceLinesWhileTracing) {
  testing::ScopedLexTrace trace(true);
  LexResult r = LexAll("/activate  Calc\n\n/Set x=\"v\" 12 ?\n{ }\n@\n", "f");
  EXPECT_EQ(r.out,
            "got keyword \"/activate\"\r\n"
            "sucked up white space\r\n"
            "got OLDSTRARGFILE ID (Calc)\r\n"
            "got NL\r\n"
            "sucked up blank line(s)\r\n"
            "got keyword \"/set\"\r\n"
            "sucked up white space\r\n"
            "got ID (x)\r\n"
            "got \"=\" char\r\n"
            "got QSTR (\"v\")\r\n"
            "sucked up white space\r\n"
            "got NUM (12)\r\n"
            "sucked up white space\r\n"
            "got \"?\" char\r\n"
            "got left bracket\r\n"
            "got right bracket\r\n"
            "got NL\r\n"
            "got @\r\n"
            "got NL\r\n");
}

TEST(CommandLexer, NothingIsTracedWhenTracingIsOff) {
  testing::ScopedLexTrace trace(false);
  EXPECT_EQ(LexAll("/activate Calc\n/bad\n").out, "");
}

TEST(CommandLexer, ArgsSourceTracesItsOwnArgumentRule) {
  testing::ScopedLexTrace trace(true);
  EXPECT_EQ(LexAll("/cd x\n", "ARGS").out,
            "got keyword \"/cd\"\r\nsucked up white space\r\ngot OLDSTRARG ID (x)\r\ngot NL\r\n");
}

TEST(CommandLexer, AReusedLexerStartsAtACommandWord) {
  std::string out, err;
  TTolmLex lex;
  lex.Open("x /a\n", "f", out, err);
  EXPECT_EQ(lex.yylex(), kTokId);  // left in the middle of a line
  lex.Open("/usr/bin/x\n", "f", out, err);
  EXPECT_EQ(lex.yylex(), kTokId);
  EXPECT_EQ(lex.yytext(), "/usr/bin/x");
}

TEST(CommandLexer, ReadAheadIntoTheNextLineMovesLineAndColumn) {
  std::string out, err;
  TTolmLex lex;
  lex.Open("ab\ncd\n", "f", out, err);
  EXPECT_EQ(lex.yylex(), kTokId);
  EXPECT_EQ(lex.LineNo(), 1);
  EXPECT_EQ(lex.ColNo(), 3);
  EXPECT_EQ(lex.yylex(), kTokNl);  // decided only after seeing "c"
  EXPECT_EQ(lex.LineNo(), 2);
  EXPECT_EQ(lex.ColNo(), 1);
}

}  // namespace
}  // namespace tolm
