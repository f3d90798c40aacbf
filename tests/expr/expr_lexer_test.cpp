#include "expr/expr_lexer.h"

#include <gtest/gtest.h>

namespace tolm {
namespace {

std::string Tokens(std::string_view text) {
  std::string out, err, tokens;
  TTolmExprLex lex;
  lex.Open(text, "EXPR", out, err);
  for (int code; (code = lex.yylex()) != 0;) {
    std::string t;
    switch (code) {
      case kExprEnv: t = "ENV"; break;
      case kExprErrorlevel: t = "ERRORLEVEL"; break;
      case kExprEq: t = "EQ"; break;
      case kExprNe: t = "NE"; break;
      case kExprLt: t = "LT"; break;
      case kExprGt: t = "GT"; break;
      case kExprNumber: t = "NUMBER(" + std::string(lex.yytext()) + ")"; break;
      case kExprIdent: t = "IDENT(" + std::string(lex.yytext()) + ")"; break;
      case kExprString: t = "STRING(" + std::string(lex.yytext()) + ")"; break;
      case kExprNewline: t = "NL"; break;
      default: t = code == 13 ? "#13" : "'" + std::string(1, static_cast<char>(code)) + "'"; break;
    }
    tokens += (tokens.empty() ? "" : " ") + t;
  }
  EXPECT_EQ(out, "") << text;  // nothing is ever echoed
  return tokens;
}

TEST(ExprLexer, TokenSequences) {
  const struct {
    const char* text;
    const char* tokens;
  } cases[] = {
      {"EQ Eq eq Equal", "EQ EQ EQ IDENT(Equal) NL"},
      {"env ERRORLEVEL ne lt gt envpath gte", "ENV ERRORLEVEL NE LT GT IDENT(envpath) IDENT(gte) NL"},
      {"c:\\temp\\my.file,1", "IDENT(c:\\temp\\my.file,1) NL"},
      {"my-file", "IDENT(my) '-' IDENT(file) NL"},
      {"12ab 1.5 -5", "NUMBER(12) IDENT(ab) NUMBER(1) IDENT(.5) '-' NUMBER(5) NL"},
      {"_x", "'_' IDENT(x) NL"},
      {"/ /wait /min", "IDENT(/) IDENT(/wait) IDENT(/min) NL"},
      {"/* c */x", "IDENT(x) NL"},
      {"a /* c */\nb", "IDENT(a) IDENT(b) NL"},
      {"a /* c */ \nb", "IDENT(a) NL IDENT(b) NL"},
      {"\"a b\nc\"", "STRING(\"a b\nc\") NL"},
      {"\"\"", "STRING(\"\") NL"},
      {"a\rb", "IDENT(a) #13 IDENT(b) NL"},
      {"a\r\n", "IDENT(a) NL"},
      {"abc", "IDENT(abc) NL"},
      {"", ""},
      {"\"open", "'\"' IDENT(open) NL"},
      {"a**/b", "IDENT(a) '*' '*' IDENT(/b) NL"},
      {"/**/x", "IDENT(x) NL"},
      {"/* a **/x", "IDENT(x) NL"},
      {"(x) & + ?", "'(' IDENT(x) ')' '&' '+' '?' NL"},
  };
  for (const auto& c : cases) EXPECT_EQ(Tokens(c.text), c.tokens) << c.text;
}

TEST(ExprLexer, KeywordLookupIsWholeWordAndCaseBlind) {
  EXPECT_EQ(ExprKeyword("ErrorLevel"), kExprErrorlevel);
  EXPECT_EQ(ExprKeyword("errorlevels"), kExprIdent);
  EXPECT_EQ(ExprKeyword("e"), kExprIdent);
  EXPECT_EQ(ExprKeyword(""), kExprIdent);
}

}  // namespace
}  // namespace tolm
