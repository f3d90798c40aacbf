#include "expr/expr_lexer.h"

#include <array>

#include "front/built_tables.h"
#include "services/core/text.h"

namespace tolm {
namespace {

struct ExprKeywordRow {
  std::string_view name;
  int32_t code;
};

// Sorted by name for the binary search.
constexpr std::array<ExprKeywordRow, 6> kExprKeywords = {{
    {"env", kExprEnv},
    {"eq", kExprEq},
    {"errorlevel", kExprErrorlevel},
    {"gt", kExprGt},
    {"lt", kExprLt},
    {"ne", kExprNe},
}};
constexpr size_t kLongestExprKeyword = 10;

}  // namespace

int32_t ExprKeyword(std::string_view word) {
  if (word.size() > kLongestExprKeyword) return kExprIdent;
  char lower[kLongestExprKeyword];
  for (size_t i = 0; i < word.size(); ++i) lower[i] = LowerAscii(word[i]);
  std::string_view key(lower, word.size());
  size_t low = 0, high = kExprKeywords.size();
  while (low < high) {
    size_t middle = low + (high - low) / 2;
    int cmp = key.compare(kExprKeywords[middle].name);
    if (cmp == 0) return kExprKeywords[middle].code;
    if (cmp > 0)
      low = middle + 1;
    else
      high = middle;
  }
  return kExprIdent;
}

TTolmExprLex::TTolmExprLex() : TCustomLexer(ExprLexAutomaton()) {}

int TTolmExprLex::yylex() {
  for (;;) {
    const int rule = MatchToken();
    if (rule == kEndOfInput) return kExprEnd;
    if (rule == kNoRule) continue;
    const int token = RunAction(rule);
    if (token != kNoToken) return token;
  }
}

int TTolmExprLex::RunAction(int rule) {
  switch (rule) {
    case 1: SkipBlockComment(); return kNoToken;
    case 2: return kNoToken;
    case 3: return kExprString;
    case 4: return ExprKeyword(yytext());
    case 5: return kExprNumber;
    case 6: return kExprNewline;
    default: return static_cast<unsigned char>(yytext()[0]);
  }
}

}  // namespace tolm
