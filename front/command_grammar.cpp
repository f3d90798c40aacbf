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
using Action = CommandAction;

struct RuleRow {
  int lhs;
  std::vector<int> rhs;
  Action action;
};

// Texts that pass through the value stack keep at most 255 characters.
constexpr size_t kMaxText = 255;
std::string& Text(V& v) { return std::get<std::string>(v); }
// Appends the pieces to the text in v[0] in place (no temporaries), then
// cuts it to 255 characters.
template <class... Pieces>
void AppendTo(V& target, const Pieces&... pieces) {
  std::string& text = Text(target);
  (text.append(pieces), ...);
  if (text.size() > kMaxText) text.resize(kMaxText);
}
template <class T>
T Take(V& v) { return std::move(std::get<T>(v)); }

// Every action leaves the rule's value in v[0], the slot of $1.
void None(TTolmYacc&, V*) {}
template <const char* Text>
void TraceOnly(TTolmYacc& p, V*) { p.Trace(Text); }

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
  if (auto* text = std::get_if<std::string>(&v[0]))
    text->assign(p.TokenText());
  else
    v[0].emplace<std::string>(p.TokenText());
}

void AppendRecord(TTolmYacc& p, V& rec) { p.AppendToResult(Take<std::unique_ptr<Tcmdrec>>(rec)); }

void DoCommand(TTolmYacc& p, V* v) {
  p.Trace("in _DO cmdblock optWhile");
  auto rec = NewCommand(kCmdDo);
  rec->condition = Take<std::string>(v[2]);
  rec->block = std::make_unique<CommandList>(Take<CommandList>(v[1]));
  v[0] = std::move(rec);
}

void IfCommand(TTolmYacc& p, V* v) {
  p.Trace("in _IF ifexpr cmdblock optElse");
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
constexpr char kTraceInputEmpty[] = "in input: empty", kTraceInputList[] = "in input: inputList",
               kTraceInputListLine[] = "in inputList: inputList cmd NL";

const std::vector<RuleRow>& Rules() {
  static const std::vector<RuleRow> rows = {
      /* 1 */ {input, {}, TraceOnly<kTraceInputEmpty>},
      /* 2 */ {input, {inputList}, TraceOnly<kTraceInputList>},
      /* 3 */ {inputList, {inputLine}, None},
      /* 4 */ {inputList, {inputList, inputLine}, TraceOnly<kTraceInputListLine>},
      /* 5 */ {inputLine, {cmdLine}, [](TTolmYacc& p, V* v) { p.Trace("in inputLine: cmd"); AppendRecord(p, v[0]); }},
      /* 6 */ {inputLine, {'{', cmd, '}'}, [](TTolmYacc& p, V* v) { p.Trace("in inputLine: { cmd }"); AppendRecord(p, v[1]); }},
      /* 7 */ {inputLine, {kTokNl}, None},
      /* 8 */ {inputLine, {kTokError, kTokNl}, [](TTolmYacc& p, V*) { p.Trace("in inputLine: error NL"); p.yyerrok(); }},
      /* 9 */ {cmdLine, {cmd, kTokNl}, None},
      /* 10 */ {cmd, {kTokAt, osArgList}, [](TTolmYacc&, V* v) { v[0] = NewCommandArgs(kCmdAt, Take<TextList>(v[1])); }},
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
      /* 29 */ {optElse, {}, [](TTolmYacc& p, V* v) { p.Trace("in optElse: empty"); v[0] = CommandList{}; }},
      /* 30 */ {optElse, {kTokElse, cmdblock}, [](TTolmYacc& p, V* v) { p.Trace("in optElse: _ELSE cmdblock"); v[0] = std::move(v[1]); }},
      /* 31 */ {optWhile, {}, [](TTolmYacc& p, V* v) { p.Trace("in optWhile: empty"); v[0] = std::string("0"); }},
      /* 32 */ {optWhile, {kTokWhile, ifexpr}, [](TTolmYacc& p, V* v) { p.Trace("in optWhile: _WHILE ifExpr"); v[0] = std::move(v[1]); }},
      /* 33 */ {osCmd, {str}, None},
      /* 34 */ {osArgs, {}, [](TTolmYacc& p, V* v) { p.Trace("in osArgs: empty"); v[0] = TextList{}; }},
      /* 35 */ {osArgs, {osArgList}, None},
      /* 36 */ {intCmdOpt, {kTokIgnore}, Option<kOptIgnore>},
      /* 37 */ {intCmdOpt, {kTokWarn}, Option<kOptWarn>},
      /* 38 */ {intCmdOpts, {}, [](TTolmYacc& p, V* v) { p.Trace("in intCmdOpts: empty"); v[0] = OptionList{}; }},
      /* 39 */ {intCmdOpts, {intCmdOptList}, None},
      /* 40 */ {intCmdOptList, {intCmdOpt}, NewList<OptionList>},
      /* 41 */ {intCmdOptList, {intCmdOptList, intCmdOpt}, AppendToList<OptionList>},
      /* 42 */ {osCmdOpt, {kTokHide}, Option<kOptHide>},
      /* 43 */ {osCmdOpt, {kTokIgnore}, Option<kOptIgnore>},
      /* 44 */ {osCmdOpt, {kTokMax}, Option<kOptMax>},
      /* 45 */ {osCmdOpt, {kTokMin}, Option<kOptMin>},
      /* 46 */ {osCmdOpt, {kTokNoActivate}, Option<kOptNoActivate>},
      /* 47 */ {osCmdOpt, {kTokWait}, Option<kOptWait>},
      /* 48 */ {osCmdOpt, {kTokWarn}, Option<kOptWarn>},
      /* 49 */ {osCmdOpts, {}, [](TTolmYacc& p, V* v) { p.Trace("in osCmdOpts: empty"); v[0] = OptionList{}; }},
      /* 50 */ {osCmdOpts, {osCmdOptList}, None},
      /* 51 */ {osCmdOptList, {osCmdOpt}, NewList<OptionList>},
      /* 52 */ {osCmdOptList, {osCmdOptList, osCmdOpt}, AppendToList<OptionList>},
      /* 53 */ {relop, {kTokEq}, RelText<kEQ>},
      /* 54 */ {relop, {kTokNe}, RelText<kNE>},
      /* 55 */ {relop, {kTokLt}, RelText<kLT>},
      /* 56 */ {relop, {kTokGt}, RelText<kGT>},
      /* 57 */ {ifexpr, {strexpr, relop, strexpr}, [](TTolmYacc& p, V* v) {
                  p.Trace("in ifexpr: strexpr _EQ strexpr");
                  AppendTo(v[0], " ", Text(v[1]), " ", Text(v[2]));
                }},
      /* 58 */ {ifexpr, {strexpr}, None},
      /* 59 */ {strexpr, {}, [](TTolmYacc& p, V* v) {
                  p.Trace("in strexpr: empty");
                  p.yyerror("string expected");
                  v[0] = std::string();
                }},
      /* 60 */ {strexpr, {strterm}, None},
      /* 61 */ {strterm, {str}, [](TTolmYacc& p, V*) { p.Trace("in strexpr: str"); }},
      /* 62 */ {strterm, {strterm, '&', strterm}, [](TTolmYacc&, V* v) { AppendTo(v[0], " & ", Text(v[2])); }},
      /* 63 */ {strterm, {strterm, '+', strterm}, [](TTolmYacc&, V* v) { AppendTo(v[0], " + ", Text(v[2])); }},
      /* 64 */ {strterm, {strterm, '-', strterm}, [](TTolmYacc&, V* v) { AppendTo(v[0], " - ", Text(v[2])); }},
      /* 65 */ {strterm, {ident, '(', strterm, ')'}, [](TTolmYacc&, V* v) { AppendTo(v[0], "(", Text(v[2]), ")"); }},
      /* 66 */ {strterm, {ident, '(', ')'}, [](TTolmYacc&, V* v) { AppendTo(v[0], "()"); }},
      /* 67 */ {optstrexpr, {}, [](TTolmYacc& p, V* v) { p.Trace("in optstrexpr: empty"); v[0] = std::string(); }},
      /* 68 */ {optstrexpr, {strterm}, None},
      /* 69 */ {cmdblock, {'{', cmds, '}'}, [](TTolmYacc& p, V* v) { p.Trace("in cmdblock: { cmds }"); v[0] = std::move(v[1]); }},
      /* 70 */ {cmdblock, {'{', '}'}, [](TTolmYacc& p, V* v) { p.Trace("in cmdblock: { }"); v[0] = CommandList{}; }},
      /* 71 */ {cmds, {cmdLine}, NewList<CommandList>},
      /* 72 */ {cmds, {cmds, cmdLine}, AppendToList<CommandList>},
      /* 73 */ {osArgList, {osArg}, NewList<TextList>},
      /* 74 */ {osArgList, {osArgList, osArg}, AppendToList<TextList>},
      /* 75 */ {ident, {kTokId}, TokenText},
      /* 76 */ {osArg, {kTokIllegal}, TokenText},
      /* 77 */ {osArg, {strterm}, None},
      /* 78 */ {str, {kTokQstr}, TokenText},
      /* 79 */ {str, {ident}, None},
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

const std::vector<CommandAction>& CommandActions() {
  static const std::vector<CommandAction> actions = [] {
    std::vector<CommandAction> byRule{nullptr};
    for (const RuleRow& row : Rules()) byRule.push_back(row.action);
    return byRule;
  }();
  return actions;
}

}  // namespace tolm
