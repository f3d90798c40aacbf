#include "front/command_actions.h"
#include "services/core/limits.h"

#include "front/command_grammar.h"
#include "front/keyword_table.h"

namespace tolm {
namespace {

using V = CommandValue;

// Texts that pass through the value stack keep at most kMaxText characters;
// a longer one is reported (and cut, so that values stay bounded).
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

// Every build leaves the rule's value in v[0], the slot of $1. Records are
// written to the parse's store at once; the texts they took are copied, so
// the slots keep their buffers for the texts of the next lines.

// The keyword table's row of a command code, looked up once per code.
template <int32_t Code>
int Row() {
  static const int row = KeywordRowOfCode(Code);
  return row;
}

// A keyword command with one argument: code, $3 and the options of $2.
template <int32_t Code>
void OneArg(TTolmYacc& p, V* v) {
  const std::string_view text[] = {Text(v[2])};
  v[0] = p.Store().AddRecord(Row<Code>(), std::span<const std::string_view>(text), std::get<OptionList>(v[1]));
}
template <int32_t Code>
void Bare(TTolmYacc& p, V* v) { v[0] = p.Store().AddRecord(Row<Code>(), std::span<const std::string_view>(), {}); }
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

void AppendRecord(TTolmYacc& p, V& rec) { p.AppendToResult(std::get<RecordRef>(rec)); }

ListRef AddBlock(TTolmYacc& p, V& block) { return p.Store().AddList(std::get<RecordRefs>(block)); }

void DoCommand(TTolmYacc& p, V* v) {
  const ListRef blocks[] = {AddBlock(p, v[1])};
  v[0] = p.Store().AddRecord(Row<kCmdDo>(), std::span<const std::string_view>(), {}, Text(v[2]), blocks);
}

void IfCommand(TTolmYacc& p, V* v) {
  const ListRef blocks[] = {AddBlock(p, v[2]), AddBlock(p, v[3])};
  v[0] = p.Store().AddRecord(Row<kCmdIf>(), std::span<const std::string_view>(), {}, Text(v[1]), blocks);
}

void SetCommand(TTolmYacc& p, V* v) {
  const std::string_view texts[] = {Text(v[1]), Text(v[3])};
  v[0] = p.Store().AddRecord(Row<kCmdSet>(), std::span<const std::string_view>(texts), {});
}

// The program word goes in front of its arguments; the list's buffer then
// serves the next line.
void ProgramCommand(TTolmYacc& p, V* v) {
  TextList& arguments = std::get<TextList>(v[2]);
  arguments.insert(arguments.begin(), Take<std::string>(v[0]));
  v[0] = p.Store().AddRecord(0, std::span<const std::string>(arguments), std::get<OptionList>(v[1]));
  arguments.clear();
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

// What each rule builds, by rule number (the rows of command_grammar.cpp):
// null passes the value of $1 on unchanged.
constexpr CommandBuild kBuilds[kCommandRuleCount + 1] = {
    nullptr,
    /* 1 */ nullptr,
    /* 2 */ nullptr,
    /* 3 */ nullptr,
    /* 4 */ nullptr,
    /* 5 */ [](TTolmYacc& p, V* v) { AppendRecord(p, v[0]); },
    /* 6 */ [](TTolmYacc& p, V* v) { AppendRecord(p, v[1]); },
    /* 7 */ nullptr,
    /* 8 */ nullptr,
    /* 9 */ nullptr,
    /* 10 */ [](TTolmYacc& p, V* v) { v[0] = p.Store().AddRecord(Row<kCmdAt>(), std::span<const std::string>(std::get<TextList>(v[1])), {}); },
    /* 11 */ OneArg<kCmdActivate>,
    /* 12 */ DoCommand,
    /* 13 */ OneArg<kCmdCd>,
    /* 14 */ OneArg<kCmdClose>,
    /* 15 */ OneArg<kCmdEdit>,
    /* 16 */ IfCommand,
    /* 17 */ OneArg<kCmdKill>,
    /* 18 */ OneArg<kCmdKillWindow>,
    /* 19 */ OneArg<kCmdPause>,
    /* 20 */ Bare<kCmdPlist>,
    /* 21 */ OneArg<kCmdSendKeys>,
    /* 22 */ SetCommand,
    /* 23 */ OneArg<kCmdSleep>,
    /* 24 */ Bare<kCmdWaitAll>,
    /* 25 */ OneArg<kCmdWaitClose>,
    /* 26 */ OneArg<kCmdWaitFor>,
    /* 27 */ Bare<kCmdWlist>,
    /* 28 */ ProgramCommand,
    /* 29 */ [](TTolmYacc&, V* v) { v[0] = RecordRefs{}; },
    /* 30 */ [](TTolmYacc&, V* v) { v[0] = std::move(v[1]); },
    /* 31 */ [](TTolmYacc&, V* v) { v[0] = std::string("0"); },
    /* 32 */ [](TTolmYacc&, V* v) { v[0] = std::move(v[1]); },
    /* 33 */ nullptr,
    /* 34 */ [](TTolmYacc&, V* v) { v[0] = TextList{}; },
    /* 35 */ nullptr,
    /* 36 */ Option<kOptIgnore>,
    /* 37 */ Option<kOptWarn>,
    /* 38 */ [](TTolmYacc&, V* v) { v[0] = OptionList{}; },
    /* 39 */ nullptr,
    /* 40 */ NewList<OptionList>,
    /* 41 */ AppendToList<OptionList>,
    /* 42 */ Option<kOptHide>,
    /* 43 */ Option<kOptIgnore>,
    /* 44 */ Option<kOptMax>,
    /* 45 */ Option<kOptMin>,
    /* 46 */ Option<kOptNoActivate>,
    /* 47 */ Option<kOptWait>,
    /* 48 */ Option<kOptWarn>,
    /* 49 */ [](TTolmYacc&, V* v) { v[0] = OptionList{}; },
    /* 50 */ nullptr,
    /* 51 */ NewList<OptionList>,
    /* 52 */ AppendToList<OptionList>,
    /* 53 */ RelText<kEQ>,
    /* 54 */ RelText<kNE>,
    /* 55 */ RelText<kLT>,
    /* 56 */ RelText<kGT>,
    /* 57 */ [](TTolmYacc& p, V* v) { AppendTo(p, v[0], " ", Text(v[1]), " ", Text(v[2])); },
    /* 58 */ nullptr,
    /* 59 */ [](TTolmYacc&, V* v) { v[0] = std::string(); },
    /* 60 */ nullptr,
    /* 61 */ nullptr,
    /* 62 */ [](TTolmYacc& p, V* v) { AppendTo(p, v[0], " & ", Text(v[2])); },
    /* 63 */ [](TTolmYacc& p, V* v) { AppendTo(p, v[0], " + ", Text(v[2])); },
    /* 64 */ [](TTolmYacc& p, V* v) { AppendTo(p, v[0], " - ", Text(v[2])); },
    /* 65 */ [](TTolmYacc& p, V* v) { AppendTo(p, v[0], "(", Text(v[2]), ")"); },
    /* 66 */ [](TTolmYacc& p, V* v) { AppendTo(p, v[0], "()"); },
    /* 67 */ [](TTolmYacc&, V* v) { v[0] = std::string(); },
    /* 68 */ nullptr,
    /* 69 */ [](TTolmYacc&, V* v) { v[0] = std::move(v[1]); },
    /* 70 */ [](TTolmYacc&, V* v) { v[0] = RecordRefs{}; },
    /* 71 */ NewList<RecordRefs>,
    /* 72 */ AppendToList<RecordRefs>,
    /* 73 */ NewList<TextList>,
    /* 74 */ AppendToList<TextList>,
    /* 75 */ TokenText,
    /* 76 */ TokenText,
    /* 77 */ nullptr,
    /* 78 */ TokenText,
    /* 79 */ nullptr,
    /* 80 */ TokenText,
};

}  // namespace

const std::array<CommandAction, kCommandRuleCount + 1>& CommandActions() {
  static const std::array<CommandAction, kCommandRuleCount + 1> actions = [] {
    std::array<CommandAction, kCommandRuleCount + 1> byRule{};
    for (int rule = 1; rule <= kCommandRuleCount; ++rule) {
      const CommandRuleTraits traits = CommandRule(rule);
      byRule[static_cast<size_t>(rule)] = {traits.trace, traits.effect, kBuilds[rule], traits.buildsText};
    }
    return byRule;
  }();
  return actions;
}

}  // namespace tolm
