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
using Action = void (*)(TTolmYacc&, V*, V&);

struct RuleRow {
  int lhs;
  std::vector<int> rhs;
  Action action;
};

// Texts that pass through the value stack keep at most 255 characters.
constexpr size_t kMaxText = 255;
std::string Cut(std::string s) {
  if (s.size() > kMaxText) s.resize(kMaxText);
  return s;
}
std::string& Text(V& v) { return std::get<std::string>(v); }
std::string Join(V& a, const char* op, V& b) { return Cut(Text(a) + op + Text(b)); }
template <class T>
T Take(V& v) { return std::move(std::get<T>(v)); }

void None(TTolmYacc&, V*, V&) {}
void First(TTolmYacc&, V* v, V& r) { r = std::move(v[0]); }

// A keyword command with one argument: NewCommandArg(code, $3, $2).
template <int32_t Code>
void OneArg(TTolmYacc&, V* v, V& r) {
  r = NewCommandArg(Code, Take<std::string>(v[2]), Take<OptionList>(v[1]));
}
template <int32_t Code>
void Bare(TTolmYacc&, V*, V& r) { r = NewCommand(Code); }
template <int32_t Code>
void Option(TTolmYacc&, V*, V& r) { r = int32_t{Code}; }
template <const char* Relop>
void RelText(TTolmYacc&, V*, V& r) { r = std::string(Relop); }
void TokenText(TTolmYacc& p, V*, V& r) { r = p.TokenText(); }

void AppendRecord(TTolmYacc& p, V& rec) { p.AppendToResult(Take<std::unique_ptr<Tcmdrec>>(rec)); }

void DoCommand(TTolmYacc& p, V* v, V& r) {
  p.Trace("in _DO cmdblock optWhile");
  auto rec = NewCommand(kCmdDo);
  rec->condition = Take<std::string>(v[2]);
  rec->block = std::make_unique<CommandList>(Take<CommandList>(v[1]));
  r = std::move(rec);
}

void IfCommand(TTolmYacc& p, V* v, V& r) {
  p.Trace("in _IF ifexpr cmdblock optElse");
  auto rec = NewCommand(kCmdIf);
  rec->condition = Take<std::string>(v[1]);
  rec->block = std::make_unique<CommandList>(Take<CommandList>(v[2]));
  rec->elseBlock = std::make_unique<CommandList>(Take<CommandList>(v[3]));
  r = std::move(rec);
}

void SetCommand(TTolmYacc&, V* v, V& r) {
  auto rec = NewCommand(kCmdSet);
  rec->args.push_back(Take<std::string>(v[1]));
  rec->args.push_back(Take<std::string>(v[3]));
  r = std::move(rec);
}

void ProgramCommand(TTolmYacc&, V* v, V& r) {
  auto rec = std::make_unique<Tcmdrec>();
  TextList args = Take<TextList>(v[2]);
  rec->args.reserve(args.size() + 1);
  rec->args.push_back(Take<std::string>(v[0]));
  for (std::string& a : args) rec->args.push_back(std::move(a));
  rec->options = Take<OptionList>(v[1]);
  r = std::move(rec);
}

template <class List>
void NewList(TTolmYacc&, V* v, V& r) {
  List list;
  list.push_back(Take<typename List::value_type>(v[0]));
  r = std::move(list);
}
template <class List>
void AppendToList(TTolmYacc&, V* v, V& r) {
  std::get<List>(v[0]).push_back(Take<typename List::value_type>(v[1]));
  r = std::move(v[0]);
}

constexpr char kEQ[] = "EQ", kNE[] = "NE", kLT[] = "LT", kGT[] = "GT";

const std::vector<RuleRow>& Rules() {
  static const std::vector<RuleRow> rows = {
      /* 1 */ {input, {}, [](TTolmYacc& p, V*, V&) { p.Trace("in input: empty"); }},
      /* 2 */ {input, {inputList}, [](TTolmYacc& p, V*, V&) { p.Trace("in input: inputList"); }},
      /* 3 */ {inputList, {inputLine}, None},
      /* 4 */ {inputList, {inputList, inputLine}, [](TTolmYacc& p, V*, V&) { p.Trace("in inputList: inputList cmd NL"); }},
      /* 5 */ {inputLine, {cmdLine}, [](TTolmYacc& p, V* v, V&) { p.Trace("in inputLine: cmd"); AppendRecord(p, v[0]); }},
      /* 6 */ {inputLine, {'{', cmd, '}'}, [](TTolmYacc& p, V* v, V&) { p.Trace("in inputLine: { cmd }"); AppendRecord(p, v[1]); }},
      /* 7 */ {inputLine, {kTokNl}, None},
      /* 8 */ {inputLine, {kTokError, kTokNl}, [](TTolmYacc& p, V*, V&) { p.Trace("in inputLine: error NL"); p.yyerrok(); }},
      /* 9 */ {cmdLine, {cmd, kTokNl}, First},
      /* 10 */ {cmd, {kTokAt, osArgList}, [](TTolmYacc&, V* v, V& r) { r = NewCommandArgs(kCmdAt, Take<TextList>(v[1])); }},
      /* 11 */ {cmd, {kTokActivate, intCmdOpts, strexpr}, OneArg<kCmdActivate>},
      /* 12 */ {cmd, {kTokDo, cmdblock, optWhile}, DoCommand},
      /* 13 */ {cmd, {kTokCd, intCmdOpts, strexpr}, OneArg<kCmdCd>},
      /* 14 */ {cmd, {kTokClose, intCmdOpts, strexpr}, OneArg<kCmdClose>},
      /* 15 */ {cmd, {kTokEdit, intCmdOpts, optstrexpr}, OneArg<kCmdEdit>},
      /* 16 */ {cmd, {kTokIf, ifexpr, cmdblock, optElse}, IfCommand},
      /* 17 */ {cmd, {kTokKill, intCmdOpts, strexpr}, OneArg<kCmdKill>},
      /* 18 */ {cmd, {kTokKillWindow, intCmdOpts, strexpr}, OneArg<kCmdKillWindow>},
      /* 19 */ {cmd, {kTokPause, intCmdOpts, strexpr}, OneArg<kCmdPause>},
      /* 20 */ {cmd, {kTokPlist}, Bare<kCmdPlist>},
      /* 21 */ {cmd, {kTokSendKeys, intCmdOpts, strexpr}, OneArg<kCmdSendKeys>},
      /* 22 */ {cmd, {kTokSet, ident, '=', strexpr}, SetCommand},
      /* 23 */ {cmd, {kTokSleep, intCmdOpts, strexpr}, OneArg<kCmdSleep>},
      /* 24 */ {cmd, {kTokWaitAll}, Bare<kCmdWaitAll>},
      /* 25 */ {cmd, {kTokWaitClose, intCmdOpts, strexpr}, OneArg<kCmdWaitClose>},
      /* 26 */ {cmd, {kTokWaitFor, intCmdOpts, strexpr}, OneArg<kCmdWaitFor>},
      /* 27 */ {cmd, {kTokWlist}, Bare<kCmdWlist>},
      /* 28 */ {cmd, {osCmd, osCmdOpts, osArgs}, ProgramCommand},
      /* 29 */ {optElse, {}, [](TTolmYacc& p, V*, V& r) { p.Trace("in optElse: empty"); r = CommandList{}; }},
      /* 30 */ {optElse, {kTokElse, cmdblock}, [](TTolmYacc& p, V* v, V& r) { p.Trace("in optElse: _ELSE cmdblock"); r = std::move(v[1]); }},
      /* 31 */ {optWhile, {}, [](TTolmYacc& p, V*, V& r) { p.Trace("in optWhile: empty"); r = std::string("0"); }},
      /* 32 */ {optWhile, {kTokWhile, ifexpr}, [](TTolmYacc& p, V* v, V& r) { p.Trace("in optWhile: _WHILE ifExpr"); r = std::move(v[1]); }},
      /* 33 */ {osCmd, {str}, First},
      /* 34 */ {osArgs, {}, [](TTolmYacc& p, V*, V& r) { p.Trace("in osArgs: empty"); r = TextList{}; }},
      /* 35 */ {osArgs, {osArgList}, First},
      /* 36 */ {intCmdOpt, {kTokIgnore}, Option<kOptIgnore>},
      /* 37 */ {intCmdOpt, {kTokWarn}, Option<kOptWarn>},
      /* 38 */ {intCmdOpts, {}, [](TTolmYacc& p, V*, V& r) { p.Trace("in intCmdOpts: empty"); r = OptionList{}; }},
      /* 39 */ {intCmdOpts, {intCmdOptList}, First},
      /* 40 */ {intCmdOptList, {intCmdOpt}, NewList<OptionList>},
      /* 41 */ {intCmdOptList, {intCmdOptList, intCmdOpt}, AppendToList<OptionList>},
      /* 42 */ {osCmdOpt, {kTokHide}, Option<kOptHide>},
      /* 43 */ {osCmdOpt, {kTokIgnore}, Option<kOptIgnore>},
      /* 44 */ {osCmdOpt, {kTokMax}, Option<kOptMax>},
      /* 45 */ {osCmdOpt, {kTokMin}, Option<kOptMin>},
      /* 46 */ {osCmdOpt, {kTokNoActivate}, Option<kOptNoActivate>},
      /* 47 */ {osCmdOpt, {kTokWait}, Option<kOptWait>},
      /* 48 */ {osCmdOpt, {kTokWarn}, Option<kOptWarn>},
      /* 49 */ {osCmdOpts, {}, [](TTolmYacc& p, V*, V& r) { p.Trace("in osCmdOpts: empty"); r = OptionList{}; }},
      /* 50 */ {osCmdOpts, {osCmdOptList}, First},
      /* 51 */ {osCmdOptList, {osCmdOpt}, NewList<OptionList>},
      /* 52 */ {osCmdOptList, {osCmdOptList, osCmdOpt}, AppendToList<OptionList>},
      /* 53 */ {relop, {kTokEq}, RelText<kEQ>},
      /* 54 */ {relop, {kTokNe}, RelText<kNE>},
      /* 55 */ {relop, {kTokLt}, RelText<kLT>},
      /* 56 */ {relop, {kTokGt}, RelText<kGT>},
      /* 57 */ {ifexpr, {strexpr, relop, strexpr}, [](TTolmYacc& p, V* v, V& r) {
                  p.Trace("in ifexpr: strexpr _EQ strexpr");
                  r = Cut(Text(v[0]) + " " + Text(v[1]) + " " + Text(v[2]));
                }},
      /* 58 */ {ifexpr, {strexpr}, First},
      /* 59 */ {strexpr, {}, [](TTolmYacc& p, V*, V& r) {
                  p.Trace("in strexpr: empty");
                  p.yyerror("string expected");
                  r = std::string();
                }},
      /* 60 */ {strexpr, {strterm}, First},
      /* 61 */ {strterm, {str}, [](TTolmYacc& p, V* v, V& r) { r = std::move(v[0]); p.Trace("in strexpr: str"); }},
      /* 62 */ {strterm, {strterm, '&', strterm}, [](TTolmYacc&, V* v, V& r) { r = Join(v[0], " & ", v[2]); }},
      /* 63 */ {strterm, {strterm, '+', strterm}, [](TTolmYacc&, V* v, V& r) { r = Join(v[0], " + ", v[2]); }},
      /* 64 */ {strterm, {strterm, '-', strterm}, [](TTolmYacc&, V* v, V& r) { r = Join(v[0], " - ", v[2]); }},
      /* 65 */ {strterm, {ident, '(', strterm, ')'}, [](TTolmYacc&, V* v, V& r) { r = Cut(Text(v[0]) + "(" + Text(v[2]) + ")"); }},
      /* 66 */ {strterm, {ident, '(', ')'}, [](TTolmYacc&, V* v, V& r) { r = Cut(Text(v[0]) + "()"); }},
      /* 67 */ {optstrexpr, {}, [](TTolmYacc& p, V*, V& r) { p.Trace("in optstrexpr: empty"); r = std::string(); }},
      /* 68 */ {optstrexpr, {strterm}, First},
      /* 69 */ {cmdblock, {'{', cmds, '}'}, [](TTolmYacc& p, V* v, V& r) { p.Trace("in cmdblock: { cmds }"); r = std::move(v[1]); }},
      /* 70 */ {cmdblock, {'{', '}'}, [](TTolmYacc& p, V*, V& r) { p.Trace("in cmdblock: { }"); r = CommandList{}; }},
      /* 71 */ {cmds, {cmdLine}, NewList<CommandList>},
      /* 72 */ {cmds, {cmds, cmdLine}, AppendToList<CommandList>},
      /* 73 */ {osArgList, {osArg}, NewList<TextList>},
      /* 74 */ {osArgList, {osArgList, osArg}, AppendToList<TextList>},
      /* 75 */ {ident, {kTokId}, TokenText},
      /* 76 */ {osArg, {kTokIllegal}, TokenText},
      /* 77 */ {osArg, {strterm}, First},
      /* 78 */ {str, {kTokQstr}, TokenText},
      /* 79 */ {str, {ident}, First},
      /* 80 */ {str, {kTokNum}, TokenText},
  };
  return rows;
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

void RunCommandAction(int rule, TTolmYacc& parser, CommandValue* rhs, CommandValue& result) {
  Rules()[static_cast<size_t>(rule - 1)].action(parser, rhs, result);
}

}  // namespace tolm
