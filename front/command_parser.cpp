#include "front/command_parser.h"

#include "front/command_grammar.h"
#include "services/errors.h"
#include "services/user_interface.h"

namespace tolm {

TTolmYacc::TTolmYacc() : TCustomParser<CommandValue>(CommandParseTables(), lexer), actions_(CommandActions()) {}

void TTolmYacc::Reduce(int rule, CommandValue* v) { actions_[static_cast<size_t>(rule)](*this, v); }

bool TTolmYacc::RunParse(std::string_view input, const std::string& sourceName) {
  std::string out, err;
  lexer.Open(input, sourceName, out, err);
  const int status = yyparse();
  result_ = nullptr;
  if (status == 0 && out.empty() && err.empty()) return true;
  CurrentUserInterface().ShowInfoDialog("Parse Output: \r\n" + out + "\r\nParse Errors: \r\n" + err, false);
  return false;
}

std::unique_ptr<CommandList> TTolmYacc::Parse(std::string_view input, const std::string& sourceName) {
  auto list = std::make_unique<CommandList>();
  // Room for one record per 32 bytes of text: a large list then never
  // copies itself while growing, and unused capacity is never touched.
  list->reserve(input.size() / 32);
  result_ = list.get();
  keepRecords_ = true;
  if (!RunParse(input, sourceName) && !LexTrace) RaiseScriptError("parse error");
  return list;
}

bool TTolmYacc::Check(std::string_view input, const std::string& sourceName) {
  CommandList none;
  result_ = &none;
  keepRecords_ = false;
  return RunParse(input, sourceName);
}

}  // namespace tolm
