#include "front/command_grammar.h"

#include <array>

#include "front/token_codes.h"

namespace tolm {
namespace {

enum Nonterminal : int {
  input = kCommandTerminalCount, inputList, inputLine, cmdLine, cmd, cmds, cmdblock, optElse, osArgs, osArgList,
  intCmdOpts, intCmdOptList, osCmdOpts, osCmdOptList, intCmdOpt, osCmdOpt, optWhile, ifexpr, relop, strexpr,
  strterm, optstrexpr, str, ident, osCmd, osArg, kAfterLastNonterminal
};
constexpr int kNonterminalCount = static_cast<int>(kAfterLastNonterminal) - static_cast<int>(kCommandTerminalCount);

using V = CommandValue;

struct RuleRow {
  int lhs;
  std::vector<int> rhs;
  const char* trace;
  RuleEffect effect;
  CommandBuild build;
};

// Texts that pass through the value stack keep at most 255 characters; a
// longer one is reported (and cut, so that values stay bounded).
constexpr size_t kMaxText = 255;
std::string& Text(V& v) { return std::get<std::string>(v); }
// Appends the pieces to the text in v[0] in place (no temporaries).
template <class... Pieces>
void AppendTo(TTolmYacc& p, V& target, const Pieces&... pieces) {
  std::string& text = Text(target);
  (text.append(pieces), ...);
  if (text.size() > kMaxText) {
    p.TextTooLong();
    text.resize(kMaxText);
  }
}
template <class T>
T Take(V& v) { return std::move(std::get<T>(v)); }

// Every build leaves the rule's value in v[0], the slot of $1.

// A keyword command with one argument: NewCommandArg(code, $3, $2).
template <int32_t Code>
void OneArg(TTolmYacc&, V* v) {
  v[0] = NewCommandArg(Code, Take<std::string>(v[2]), Take<OptionList>(v[1]));
}
template <int32_t Code>
void Bare(TTolmYacc&, V* v) { v[0] = NewCommand(Code); }
template <int32_t Code>
void Option(TTolmYacc&, V* v) { v[0] = int32_t{Code}; }
template <const char* Relop>
void RelText(TTolmYacc&, V* v) { v[0] = std::string(Relop); }
// The token's slot may still hold an old text: reuse its buffer.
void TokenText(TTolmYacc& p, V* v) {
  p.NoteTextToken();
  if (auto* text = std::get_if<std::string>(&v[0]))
    text->assign(p.TokenText());
  else
    v[0].emplace<std::string>(p.TokenText());
}

void AppendRecord(TTolmYacc& p, V& rec) { p.AppendToResult(Take<std::unique_ptr<Tcmdrec>>(rec)); }

void DoCommand(TTolmYacc&, V* v) {
  auto rec = NewCommand(kCmdDo);
  rec->condition = Take<std::string>(v[2]);
  rec->block = std::make_unique<CommandList>(Take<CommandList>(v[1]));
  v[0] = std::move(rec);
}

void IfCommand(TTolmYacc&, V* v) {
  auto rec = NewCommand(kCmdIf);
  rec->condition = Take<std::string>(v[1]);
  rec->block = std::make_unique<CommandList>(Take<CommandList>(v[2]));
  rec->elseBlock = std::make_unique<CommandList>(Take<CommandList>(v[3]));
  v[0] = std::move(rec);
}

void SetCommand(TTolmYacc&, V* v) {
  auto rec = NewCommand(kCmdSet);
  rec->args.reserve(3);
  rec->args.push_back(Take<std::string>(v[1]));
  rec->args.push_back(Take<std::string>(v[3]));
  v[0] = std::move(rec);
}

// The record's args get exactly the room they need: records stay for the
// whole run, while the growing argument list's buffer is freed here and
// serves the next line.
void ProgramCommand(TTolmYacc&, V* v) {
  auto rec = std::make_unique<Tcmdrec>();
  TextList& arguments = std::get<TextList>(v[2]);
  rec->args.reserve(arguments.size() + 1);
  rec->args.push_back(Take<std::string>(v[0]));
  for (std::string& a : arguments) rec->args.push_back(std::move(a));
  arguments = TextList{};
  rec->options = Take<OptionList>(v[1]);
  v[0] = std::move(rec);
}

template <class List>
void NewList(TTolmYacc&, V* v) {
  List list;
  list.push_back(Take<typename List::value_type>(v[0]));
  v[0] = std::move(list);
}
template <class List>
void AppendToList(TTolmYacc&, V* v) {
  std::get<List>(v[0]).push_back(Take<typename List::value_type>(v[1]));
}

constexpr char kEQ[] = "EQ", kNE[] = "NE", kLT[] = "LT", kGT[] = "GT";

// Each row: left side, right side, trace line, effect on the parser, and the
// building of the value (null: $1 passes on unchanged). A check builds no
// records, only the texts (whose length it must check), so everything else a
// check must show is in the first three.
const std::vector<RuleRow>& Rules() {
  using enum RuleEffect;
  static const std::vector<RuleRow> rows = {
      /* 1 */ {input, {}, "in input: empty", None, nullptr},
      /* 2 */ {input, {inputList}, "in input: inputList", None, nullptr},
      /* 3 */ {inputList, {inputLine}, nullptr, None, nullptr},
      /* 4 */ {inputList, {inputList, inputLine}, "in inputList: inputList cmd NL", None, nullptr},
      /* 5 */ {inputLine, {cmdLine}, "in inputLine: cmd", None, [](TTolmYacc& p, V* v) { AppendRecord(p, v[0]); }},
      /* 6 */ {inputLine, {'{', cmd, '}'}, "in inputLine: { cmd }", None, [](TTolmYacc& p, V* v) { AppendRecord(p, v[1]); }},
      /* 7 */ {inputLine, {kTokNl}, nullptr, None, nullptr},
      /* 8 */ {inputLine, {kTokError, kTokNl}, "in inputLine: error NL", ErrorOk, nullptr},
      /* 9 */ {cmdLine, {cmd, kTokNl}, nullptr, None, nullptr},
      /* 10 */ {cmd, {kTokAt, osArgList}, nullptr, None, [](TTolmYacc&, V* v) { v[0] = NewCommandArgs(kCmdAt, Take<TextList>(v[1])); }},
      /* 11 */ {cmd, {kTokActivate, intCmdOpts, strexpr}, nullptr, None, OneArg<kCmdActivate>},
      /* 12 */ {cmd, {kTokDo, cmdblock, optWhile}, "in _DO cmdblock optWhile", None, DoCommand},
      /* 13 */ {cmd, {kTokCd, intCmdOpts, strexpr}, nullptr, None, OneArg<kCmdCd>},
      /* 14 */ {cmd, {kTokClose, intCmdOpts, strexpr}, nullptr, None, OneArg<kCmdClose>},
      /* 15 */ {cmd, {kTokEdit, intCmdOpts, optstrexpr}, nullptr, None, OneArg<kCmdEdit>},
      /* 16 */ {cmd, {kTokIf, ifexpr, cmdblock, optElse}, "in _IF ifexpr cmdblock optElse", None, IfCommand},
      /* 17 */ {cmd, {kTokKill, intCmdOpts, strexpr}, nullptr, None, OneArg<kCmdKill>},
      /* 18 */ {cmd, {kTokKillWindow, intCmdOpts, strexpr}, nullptr, None, OneArg<kCmdKillWindow>},
      /* 19 */ {cmd, {kTokPause, intCmdOpts, strexpr}, nullptr, None, OneArg<kCmdPause>},
      /* 20 */ {cmd, {kTokPlist}, nullptr, None, Bare<kCmdPlist>},
      /* 21 */ {cmd, {kTokSendKeys, intCmdOpts, strexpr}, nullptr, None, OneArg<kCmdSendKeys>},
      /* 22 */ {cmd, {kTokSet, ident, '=', strexpr}, nullptr, None, SetCommand},
      /* 23 */ {cmd, {kTokSleep, intCmdOpts, strexpr}, nullptr, None, OneArg<kCmdSleep>},
      /* 24 */ {cmd, {kTokWaitAll}, nullptr, None, Bare<kCmdWaitAll>},
      /* 25 */ {cmd, {kTokWaitClose, intCmdOpts, strexpr}, nullptr, None, OneArg<kCmdWaitClose>},
      /* 26 */ {cmd, {kTokWaitFor, intCmdOpts, strexpr}, nullptr, None, OneArg<kCmdWaitFor>},
      /* 27 */ {cmd, {kTokWlist}, nullptr, None, Bare<kCmdWlist>},
      /* 28 */ {cmd, {osCmd, osCmdOpts, osArgs}, nullptr, None, ProgramCommand},
      /* 29 */ {optElse, {}, "in optElse: empty", None, [](TTolmYacc&, V* v) { v[0] = CommandList{}; }},
      /* 30 */ {optElse, {kTokElse, cmdblock}, "in optElse: _ELSE cmdblock", None, [](TTolmYacc&, V* v) { v[0] = std::move(v[1]); }},
      /* 31 */ {optWhile, {}, "in optWhile: empty", None, [](TTolmYacc&, V* v) { v[0] = std::string("0"); }},
      /* 32 */ {optWhile, {kTokWhile, ifexpr}, "in optWhile: _WHILE ifExpr", None, [](TTolmYacc&, V* v) { v[0] = std::move(v[1]); }},
      /* 33 */ {osCmd, {str}, nullptr, None, nullptr},
      /* 34 */ {osArgs, {}, "in osArgs: empty", None, [](TTolmYacc&, V* v) { v[0] = TextList{}; }},
      /* 35 */ {osArgs, {osArgList}, nullptr, None, nullptr},
      /* 36 */ {intCmdOpt, {kTokIgnore}, nullptr, None, Option<kOptIgnore>},
      /* 37 */ {intCmdOpt, {kTokWarn}, nullptr, None, Option<kOptWarn>},
      /* 38 */ {intCmdOpts, {}, "in intCmdOpts: empty", None, [](TTolmYacc&, V* v) { v[0] = OptionList{}; }},
      /* 39 */ {intCmdOpts, {intCmdOptList}, nullptr, None, nullptr},
      /* 40 */ {intCmdOptList, {intCmdOpt}, nullptr, None, NewList<OptionList>},
      /* 41 */ {intCmdOptList, {intCmdOptList, intCmdOpt}, nullptr, None, AppendToList<OptionList>},
      /* 42 */ {osCmdOpt, {kTokHide}, nullptr, None, Option<kOptHide>},
      /* 43 */ {osCmdOpt, {kTokIgnore}, nullptr, None, Option<kOptIgnore>},
      /* 44 */ {osCmdOpt, {kTokMax}, nullptr, None, Option<kOptMax>},
      /* 45 */ {osCmdOpt, {kTokMin}, nullptr, None, Option<kOptMin>},
      /* 46 */ {osCmdOpt, {kTokNoActivate}, nullptr, None, Option<kOptNoActivate>},
      /* 47 */ {osCmdOpt, {kTokWait}, nullptr, None, Option<kOptWait>},
      /* 48 */ {osCmdOpt, {kTokWarn}, nullptr, None, Option<kOptWarn>},
      /* 49 */ {osCmdOpts, {}, "in osCmdOpts: empty", None, [](TTolmYacc&, V* v) { v[0] = OptionList{}; }},
      /* 50 */ {osCmdOpts, {osCmdOptList}, nullptr, None, nullptr},
      /* 51 */ {osCmdOptList, {osCmdOpt}, nullptr, None, NewList<OptionList>},
      /* 52 */ {osCmdOptList, {osCmdOptList, osCmdOpt}, nullptr, None, AppendToList<OptionList>},
      /* 53 */ {relop, {kTokEq}, nullptr, None, RelText<kEQ>},
      /* 54 */ {relop, {kTokNe}, nullptr, None, RelText<kNE>},
      /* 55 */ {relop, {kTokLt}, nullptr, None, RelText<kLT>},
      /* 56 */ {relop, {kTokGt}, nullptr, None, RelText<kGT>},
      /* 57 */ {ifexpr, {strexpr, relop, strexpr}, "in ifexpr: strexpr _EQ strexpr", None,
                [](TTolmYacc& p, V* v) { AppendTo(p, v[0], " ", Text(v[1]), " ", Text(v[2])); }},
      /* 58 */ {ifexpr, {strexpr}, nullptr, None, nullptr},
      /* 59 */ {strexpr, {}, "in strexpr: empty", StringExpected, [](TTolmYacc&, V* v) { v[0] = std::string(); }},
      /* 60 */ {strexpr, {strterm}, nullptr, None, nullptr},
      /* 61 */ {strterm, {str}, "in strexpr: str", None, nullptr},
      /* 62 */ {strterm, {strterm, '&', strterm}, nullptr, None, [](TTolmYacc& p, V* v) { AppendTo(p, v[0], " & ", Text(v[2])); }},
      /* 63 */ {strterm, {strterm, '+', strterm}, nullptr, None, [](TTolmYacc& p, V* v) { AppendTo(p, v[0], " + ", Text(v[2])); }},
      /* 64 */ {strterm, {strterm, '-', strterm}, nullptr, None, [](TTolmYacc& p, V* v) { AppendTo(p, v[0], " - ", Text(v[2])); }},
      /* 65 */ {strterm, {ident, '(', strterm, ')'}, nullptr, None, [](TTolmYacc& p, V* v) { AppendTo(p, v[0], "(", Text(v[2]), ")"); }},
      /* 66 */ {strterm, {ident, '(', ')'}, nullptr, None, [](TTolmYacc& p, V* v) { AppendTo(p, v[0], "()"); }},
      /* 67 */ {optstrexpr, {}, "in optstrexpr: empty", None, [](TTolmYacc&, V* v) { v[0] = std::string(); }},
      /* 68 */ {optstrexpr, {strterm}, nullptr, None, nullptr},
      /* 69 */ {cmdblock, {'{', cmds, '}'}, "in cmdblock: { cmds }", None, [](TTolmYacc&, V* v) { v[0] = std::move(v[1]); }},
      /* 70 */ {cmdblock, {'{', '}'}, "in cmdblock: { }", None, [](TTolmYacc&, V* v) { v[0] = CommandList{}; }},
      /* 71 */ {cmds, {cmdLine}, nullptr, None, NewList<CommandList>},
      /* 72 */ {cmds, {cmds, cmdLine}, nullptr, None, AppendToList<CommandList>},
      /* 73 */ {osArgList, {osArg}, nullptr, None, NewList<TextList>},
      /* 74 */ {osArgList, {osArgList, osArg}, nullptr, None, AppendToList<TextList>},
      /* 75 */ {ident, {kTokId}, nullptr, None, TokenText},
      /* 76 */ {osArg, {kTokIllegal}, nullptr, None, TokenText},
      /* 77 */ {osArg, {strterm}, nullptr, None, nullptr},
      /* 78 */ {str, {kTokQstr}, nullptr, None, TokenText},
      /* 79 */ {str, {ident}, nullptr, None, nullptr},
      /* 80 */ {str, {kTokNum}, nullptr, None, TokenText},
  };
  return rows;
}

// The nonterminals whose value is a text.
bool CarriesText(int symbol) {
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
  for (const RuleRow& row : Rules()) g.rules.push_back({row.lhs, row.rhs});
  // "&" has no precedence: its conflicts resolve by shifting.
  g.precedence = {{Assoc::Left, {'+', '-'}}};
  return g;
}

}  // namespace

const GrammarSpec& CommandGrammar() {
  static const GrammarSpec grammar = MakeGrammar();
  return grammar;
}

const ParseTables& CommandParseTables() {
  static const ParseTables tables = BuildLalrTables(CommandGrammar());
  return tables;
}

const std::vector<CommandAction>& CommandActions() {
  static const std::vector<CommandAction> actions = [] {
    std::vector<CommandAction> byRule{CommandAction{}};
    for (const RuleRow& row : Rules()) byRule.push_back({row.trace, row.effect, row.build, CarriesText(row.lhs)});
    return byRule;
  }();
  return actions;
}

}  // namespace tolm
