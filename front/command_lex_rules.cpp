#include "front/command_lex_rules.h"

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

}  // namespace

std::vector<LexRule> CommandLexRules() {
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

}  // namespace tolm
