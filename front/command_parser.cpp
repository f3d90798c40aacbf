#include "front/command_parser.h"

#include "front/command_grammar.h"
#include "services/errors.h"
#include "services/user_interface.h"

namespace tolm {

TTolmYacc::TTolmYacc() : TCustomParser<CommandValue>(CommandParseTables(), lexer), actions_(CommandActions()) {}

// A check keeps no records, so it builds no values at all: what it shows
// (traces and reports) never depends on them.
void TTolmYacc::Reduce(int rule, CommandValue* v) {
  const CommandAction& action = actions_[static_cast<size_t>(rule)];
  if (action.trace != nullptr) lexer.Trace(action.trace);
  if (action.effect == RuleEffect::StringExpected)
    yyerror("string expected");
  else if (action.effect == RuleEffect::ErrorOk)
    yyerrok();
  if (keepRecords_ && action.build != nullptr) action.build(*this, v);
}

bool TTolmYacc::RunParse(TextSource& input, const std::string& sourceName) {
  std::string out, err;
  lexer.Open(input, sourceName, out, err);
  const int status = yyparse();
  result_ = nullptr;
  if (status == 0 && out.empty() && err.empty()) return true;
  CurrentUserInterface().ShowInfoDialog("Parse Output: \r\n" + out + "\r\nParse Errors: \r\n" + err, false);
  return false;
}

std::unique_ptr<CommandList> TTolmYacc::Parse(std::string_view input, const std::string& sourceName) {
  MemorySource source(input);
  return Parse(source, sourceName);
}

std::unique_ptr<CommandList> TTolmYacc::Parse(TextSource& input, const std::string& sourceName) {
  auto list = std::make_unique<CommandList>();
  // Room for one record per 32 bytes of text: a large list then never
  // copies itself while growing, and unused capacity is never touched.
  list->reserve(input.RemainingHint() / 32);
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
  CommandList none;
  result_ = &none;
  keepRecords_ = false;
  return RunParse(input, sourceName);
}

}  // namespace tolm
