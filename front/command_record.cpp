#include "front/command_record.h"

#include "front/keyword_table.h"

namespace tolm {

std::unique_ptr<Tcmdrec> NewCommand(int32_t code) {
  auto rec = std::make_unique<Tcmdrec>();
  rec->kwIndex = KeywordRowOfCode(code);
  rec->code = code;
  rec->args.reserve(2);  // the keyword and, for most commands, one argument
  rec->args.push_back(KeywordName(rec->kwIndex));
  return rec;
}

std::unique_ptr<Tcmdrec> NewCommandArg(int32_t code, std::string text, std::vector<int32_t> options) {
  auto rec = NewCommand(code);
  rec->args.push_back(std::move(text));
  rec->options = std::move(options);
  return rec;
}

std::unique_ptr<Tcmdrec> NewCommandArgs(int32_t code, std::vector<std::string> texts) {
  auto rec = NewCommand(code);
  for (auto& t : texts) rec->args.push_back(std::move(t));
  return rec;
}

}  // namespace tolm
