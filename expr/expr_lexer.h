// The expression lexer: cuts one expression into tokens. Path-like words
// such as c:\tools\run.exe or /min are single words.
#pragma once

#include <cstdint>
#include <string_view>

#include "front/lexer_runtime.h"

namespace tolm {

enum ExprToken : int32_t {
  kExprEnd = 0,
  kExprEnv = 257,
  kExprErrorlevel = 258,
  kExprEq = 259,
  kExprNe = 260,
  kExprLt = 261,
  kExprGt = 262,
  kExprNumber = 263,
  kExprIdent = 264,
  kExprString = 265,
  kExprNewline = 267,
  kExprTerminalCount = 268,
};

// Keyword code of a word (ASCII case-blind, whole word), or kExprIdent.
int32_t ExprKeyword(std::string_view word);

class TTolmExprLex : public TCustomLexer {
 public:
  TTolmExprLex();
  int yylex() override;

 private:
  static constexpr int kNoToken = -1;
  int RunAction(int rule);
};

}  // namespace tolm
