#include "expr/expr_lex_rules.h"

namespace tolm {
namespace {

const CharClass kBlank = Chars("\t\f ");
const CharClass kWordStart = Chars("./:\\~") | CharRange('A', 'Z') | CharRange('a', 'z');
const CharClass kWordChar = kWordStart | Chars(",_") | CharRange('0', '9');

}  // namespace

std::vector<LexRule> ExprLexRules() {
  return {
      /* 1 comment */ {{{Chars("/"), Repeat::One}, {Chars("*"), Repeat::One}}},
      /* 2 blanks  */ {{{kBlank, Repeat::Plus}}},
      /* 3 STRING  */ {{{Chars("\""), Repeat::One}, {AllBut("\""), Repeat::Star}, {Chars("\""), Repeat::One}}},
      /* 4 word    */ {{{kWordStart, Repeat::One}, {kWordChar, Repeat::Star}}},
      /* 5 NUMBER  */ {{{CharRange('0', '9'), Repeat::Plus}}},
      /* 6 NEWLINE */ {{{Chars("\n"), Repeat::One}}},
      /* 7 char    */ {{{AllBut("\n"), Repeat::One}}},
  };
}

}  // namespace tolm
