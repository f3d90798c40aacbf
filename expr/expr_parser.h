// The expression parser: evaluates one expression text while parsing it
// (every rule computes its value when reduced) and hands back the text.
#pragma once

#include <string>
#include <string_view>

#include "expr/expr_lexer.h"
#include "front/parser_runtime.h"

namespace tolm {

struct ExprLexerHolder {
  TTolmExprLex lexer;
};

class TTolmExpr : private ExprLexerHolder, public TCustomParser<std::string> {
 public:
  TTolmExpr();

  // Evaluates the whole text. Errors raise EScriptError ("Bad Expression: ...",
  // or "parse error" after the "Information" report when the lexer wrote any
  // message); conversions raise the run-time conversion errors.
  std::string Evaluate(std::string_view input, const std::string& sourceName);

  // Raises at once: "Bad Expression: " message " at " yytext.
  void yyerror(std::string_view message) override;

 protected:
  void Reduce(int rule, std::string* v) override;

 private:
  std::string result_;
};

}  // namespace tolm
