#include "front/command_parser.h"

#include <array>
#include <cstdint>
#include <vector>

#include "front/built_tables.h"
#include "front/command_actions.h"
#include "services/core/errors.h"
#include "services/core/limits.h"
#include "front/parse_report.h"

namespace tolm {

TTolmYacc::TTolmYacc() : TCustomParser<CommandValue>(CommandParseTables(), lexer), actions_(CommandActions().data()) {}

// A check keeps no records, so it builds only the texts: what it shows
// (traces and reports) depends on nothing else, and a text may be too long.
void TTolmYacc::Reduce(int rule, CommandValue* v) {
  const CommandAction& action = actions_[rule];
  if (action.trace != nullptr && LexTrace) lexer.Trace(action.trace);
  if (action.effect == RuleEffect::StringExpected)
    yyerror("string expected");
  else if (action.effect == RuleEffect::ErrorOk)
    yyerrok();
  if ((keepRecords_ || action.buildsText) && action.build != nullptr) action.build(*this, v);
}

void TTolmYacc::NoteTextToken() {
  textLine_ = lexer.LineNo();
  textCol_ = lexer.ColNo();
}

// Reported where the last token of the text ends, once per line: the
// enclosing operators of the same text would report it again.
void TTolmYacc::TextTooLong() {
  if (textLine_ == tooLongLine_) return;
  tooLongLine_ = textLine_;
  lexer.ErrorStream()
      .append("Line " + std::to_string(textLine_) + " Col " + std::to_string(textCol_) + " in file \"")
      .append(lexer.SourceName())
      .append("\"\r\ntext too long (limit is " + std::to_string(kMaxText) + " characters)\r\n");
}

namespace {

// Per rule: whether its action has nothing to do in a parse that builds
// records or not, with tracing on or off (index building * 2 + tracing).
const uint8_t* QuietRules(bool building, bool tracing) {
  static const std::array<std::vector<uint8_t>, 4> tables = [] {
    std::array<std::vector<uint8_t>, 4> t;
    const auto& actions = CommandActions();
    for (int kind = 0; kind < 4; ++kind) {
      t[static_cast<size_t>(kind)].reserve(actions.size());
      for (const CommandAction& a : actions) {
        const bool busy = (a.build != nullptr && (kind / 2 == 1 || a.buildsText)) ||
                          (a.trace != nullptr && kind % 2 == 1) || a.effect != RuleEffect::None;
        t[static_cast<size_t>(kind)].push_back(busy ? 0 : 1);
      }
    }
    return t;
  }();
  return tables[static_cast<size_t>((building ? 2 : 0) + (tracing ? 1 : 0))].data();
}

}  // namespace

bool TTolmYacc::RunParse(TextSource& input, const std::string& sourceName) {
  SkipActions(QuietRules(keepRecords_, LexTrace));
  tooLongLine_ = 0;
  std::string out, err;
  lexer.Open(input, sourceName, out, err);
  const int status = yyparse();
  result_ = nullptr;
  if (status == 0 && out.empty() && err.empty()) return true;
  ShowParseReport(out, err);
  return false;
}

std::unique_ptr<CommandStore> TTolmYacc::Parse(std::string_view input, const std::string& sourceName) {
  MemorySource source(input);
  return Parse(source, sourceName);
}

std::unique_ptr<CommandStore> TTolmYacc::Parse(TextSource& input, const std::string& sourceName) {
  auto list = std::make_unique<CommandStore>();
  result_ = list.get();
  keepRecords_ = true;
  if (!RunParse(input, sourceName) && !LexTrace) RaiseScriptError("parse error");
  return list;
}

bool TTolmYacc::Check(std::string_view input, const std::string& sourceName) {
  MemorySource source(input);
  return Check(source, sourceName);
}

bool TTolmYacc::Check(TextSource& input, const std::string& sourceName) {
  CommandStore none;
  result_ = &none;
  keepRecords_ = false;
  return RunParse(input, sourceName);
}

}  // namespace tolm
