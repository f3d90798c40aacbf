#include "front/command_grammar.h"

#include <initializer_list>

#include "front/token_codes.h"

namespace tolm {
namespace {

enum Nonterminal : int {
  input = kCommandTerminalCount, inputList, inputLine, cmdLine, cmd, cmds, cmdblock, optElse, osArgs, osArgList,
  intCmdOpts, intCmdOptList, osCmdOpts, osCmdOptList, intCmdOpt, osCmdOpt, optWhile, ifexpr, relop, strexpr,
  strterm, optstrexpr, str, ident, osCmd, osArg, kAfterLastNonterminal
};
constexpr int kNonterminalCount = static_cast<int>(kAfterLastNonterminal) - static_cast<int>(kCommandTerminalCount);

struct RuleRow {
  int lhs;
  std::initializer_list<int> rhs;
  const char* trace;
  RuleEffect effect;
};

using enum RuleEffect;

// Each row: left side, right side, trace line and effect on the parser. What
// a rule builds is in command_actions.cpp, by the same rule numbers. A check
// builds no records, only the texts (whose length it must check), so
// everything else a check must show is in these rows.
constexpr RuleRow kRules[kCommandRuleCount] = {
    /* 1 */ {input, {}, "in input: empty", None},
    /* 2 */ {input, {inputList}, "in input: inputList", None},
    /* 3 */ {inputList, {inputLine}, nullptr, None},
    /* 4 */ {inputList, {inputList, inputLine}, "in inputList: inputList cmd NL", None},
    /* 5 */ {inputLine, {cmdLine}, "in inputLine: cmd", None},
    /* 6 */ {inputLine, {'{', cmd, '}'}, "in inputLine: { cmd }", None},
    /* 7 */ {inputLine, {kTokNl}, nullptr, None},
    /* 8 */ {inputLine, {kTokError, kTokNl}, "in inputLine: error NL", ErrorOk},
    /* 9 */ {cmdLine, {cmd, kTokNl}, nullptr, None},
    /* 10 */ {cmd, {kTokAt, osArgList}, nullptr, None},
    /* 11 */ {cmd, {kTokActivate, intCmdOpts, strexpr}, nullptr, None},
    /* 12 */ {cmd, {kTokDo, cmdblock, optWhile}, "in _DO cmdblock optWhile", None},
    /* 13 */ {cmd, {kTokCd, intCmdOpts, strexpr}, nullptr, None},
    /* 14 */ {cmd, {kTokClose, intCmdOpts, strexpr}, nullptr, None},
    /* 15 */ {cmd, {kTokEdit, intCmdOpts, optstrexpr}, nullptr, None},
    /* 16 */ {cmd, {kTokIf, ifexpr, cmdblock, optElse}, "in _IF ifexpr cmdblock optElse", None},
    /* 17 */ {cmd, {kTokKill, intCmdOpts, strexpr}, nullptr, None},
    /* 18 */ {cmd, {kTokKillWindow, intCmdOpts, strexpr}, nullptr, None},
    /* 19 */ {cmd, {kTokPause, intCmdOpts, strexpr}, nullptr, None},
    /* 20 */ {cmd, {kTokPlist}, nullptr, None},
    /* 21 */ {cmd, {kTokSendKeys, intCmdOpts, strexpr}, nullptr, None},
    /* 22 */ {cmd, {kTokSet, ident, '=', strexpr}, nullptr, None},
    /* 23 */ {cmd, {kTokSleep, intCmdOpts, strexpr}, nullptr, None},
    /* 24 */ {cmd, {kTokWaitAll}, nullptr, None},
    /* 25 */ {cmd, {kTokWaitClose, intCmdOpts, strexpr}, nullptr, None},
    /* 26 */ {cmd, {kTokWaitFor, intCmdOpts, strexpr}, nullptr, None},
    /* 27 */ {cmd, {kTokWlist}, nullptr, None},
    /* 28 */ {cmd, {osCmd, osCmdOpts, osArgs}, nullptr, None},
    /* 29 */ {optElse, {}, "in optElse: empty", None},
    /* 30 */ {optElse, {kTokElse, cmdblock}, "in optElse: _ELSE cmdblock", None},
    /* 31 */ {optWhile, {}, "in optWhile: empty", None},
    /* 32 */ {optWhile, {kTokWhile, ifexpr}, "in optWhile: _WHILE ifExpr", None},
    /* 33 */ {osCmd, {str}, nullptr, None},
    /* 34 */ {osArgs, {}, "in osArgs: empty", None},
    /* 35 */ {osArgs, {osArgList}, nullptr, None},
    /* 36 */ {intCmdOpt, {kTokIgnore}, nullptr, None},
    /* 37 */ {intCmdOpt, {kTokWarn}, nullptr, None},
    /* 38 */ {intCmdOpts, {}, "in intCmdOpts: empty", None},
    /* 39 */ {intCmdOpts, {intCmdOptList}, nullptr, None},
    /* 40 */ {intCmdOptList, {intCmdOpt}, nullptr, None},
    /* 41 */ {intCmdOptList, {intCmdOptList, intCmdOpt}, nullptr, None},
    /* 42 */ {osCmdOpt, {kTokHide}, nullptr, None},
    /* 43 */ {osCmdOpt, {kTokIgnore}, nullptr, None},
    /* 44 */ {osCmdOpt, {kTokMax}, nullptr, None},
    /* 45 */ {osCmdOpt, {kTokMin}, nullptr, None},
    /* 46 */ {osCmdOpt, {kTokNoActivate}, nullptr, None},
    /* 47 */ {osCmdOpt, {kTokWait}, nullptr, None},
    /* 48 */ {osCmdOpt, {kTokWarn}, nullptr, None},
    /* 49 */ {osCmdOpts, {}, "in osCmdOpts: empty", None},
    /* 50 */ {osCmdOpts, {osCmdOptList}, nullptr, None},
    /* 51 */ {osCmdOptList, {osCmdOpt}, nullptr, None},
    /* 52 */ {osCmdOptList, {osCmdOptList, osCmdOpt}, nullptr, None},
    /* 53 */ {relop, {kTokEq}, nullptr, None},
    /* 54 */ {relop, {kTokNe}, nullptr, None},
    /* 55 */ {relop, {kTokLt}, nullptr, None},
    /* 56 */ {relop, {kTokGt}, nullptr, None},
    /* 57 */ {ifexpr, {strexpr, relop, strexpr}, "in ifexpr: strexpr _EQ strexpr", None},
    /* 58 */ {ifexpr, {strexpr}, nullptr, None},
    /* 59 */ {strexpr, {}, "in strexpr: empty", StringExpected},
    /* 60 */ {strexpr, {strterm}, nullptr, None},
    /* 61 */ {strterm, {str}, "in strexpr: str", None},
    /* 62 */ {strterm, {strterm, '&', strterm}, nullptr, None},
    /* 63 */ {strterm, {strterm, '+', strterm}, nullptr, None},
    /* 64 */ {strterm, {strterm, '-', strterm}, nullptr, None},
    /* 65 */ {strterm, {ident, '(', strterm, ')'}, nullptr, None},
    /* 66 */ {strterm, {ident, '(', ')'}, nullptr, None},
    /* 67 */ {optstrexpr, {}, "in optstrexpr: empty", None},
    /* 68 */ {optstrexpr, {strterm}, nullptr, None},
    /* 69 */ {cmdblock, {'{', cmds, '}'}, "in cmdblock: { cmds }", None},
    /* 70 */ {cmdblock, {'{', '}'}, "in cmdblock: { }", None},
    /* 71 */ {cmds, {cmdLine}, nullptr, None},
    /* 72 */ {cmds, {cmds, cmdLine}, nullptr, None},
    /* 73 */ {osArgList, {osArg}, nullptr, None},
    /* 74 */ {osArgList, {osArgList, osArg}, nullptr, None},
    /* 75 */ {ident, {kTokId}, nullptr, None},
    /* 76 */ {osArg, {kTokIllegal}, nullptr, None},
    /* 77 */ {osArg, {strterm}, nullptr, None},
    /* 78 */ {str, {kTokQstr}, nullptr, None},
    /* 79 */ {str, {ident}, nullptr, None},
    /* 80 */ {str, {kTokNum}, nullptr, None},
};

// The nonterminals whose value is a text.
constexpr bool CarriesText(int symbol) {
  switch (symbol) {
    case optWhile: case ifexpr: case relop: case strexpr: case strterm: case optstrexpr: case str: case ident:
    case osCmd: case osArg:
      return true;
    default:
      return false;
  }
}

GrammarSpec MakeGrammar() {
  GrammarSpec g;
  g.terminalCount = kCommandTerminalCount;
  g.nonterminalCount = kNonterminalCount;
  g.start = input;
  for (const RuleRow& row : kRules) g.rules.push_back({row.lhs, std::vector<int>(row.rhs)});
  // "&" has no precedence: its conflicts resolve by shifting.
  g.precedence = {{Assoc::Left, {'+', '-'}}};
  return g;
}

}  // namespace

const GrammarSpec& CommandGrammar() {
  static const GrammarSpec grammar = MakeGrammar();
  return grammar;
}

CommandRuleTraits CommandRule(int rule) {
  const RuleRow& row = kRules[rule - 1];
  return {row.trace, row.effect, CarriesText(row.lhs)};
}

}  // namespace tolm
