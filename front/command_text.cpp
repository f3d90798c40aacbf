#include "front/command_text.h"

#include <cstdint>

namespace tolm {
namespace {

// The order in which a command's options are shown, whatever order they were written in.
struct OptionWord {
  int32_t code;
  const char* word;
};
const OptionWord kOptionWords[] = {
    {kOptHide, "/hide"},     {kOptMin, "/min"},   {kOptMax, "/max"},   {kOptNoActivate, "/noactivate"},
    {kOptIgnore, "/ignore"}, {kOptWarn, "/warn"}, {kOptWait, "/wait"},
};

template <class Record>
std::string OptionWords(const Record& record) {
  std::string text;
  for (const OptionWord& option : kOptionWords)
    if (record.HasOption(option.code)) text += option.word;
  return text;
}

}  // namespace

std::string OptionText(const CommandRecord& record) { return OptionWords(record); }
std::string OptionText(const Tcmdrec& record) { return OptionWords(record); }

std::string CommandText(const CommandRecord& record, int first) {
  std::string text;
  if (record.args.empty()) return text;
  if (first == 0) {
    text = std::string(record.args[0]) + OptionText(record);
    first = 1;
  }
  if (record.code == kCmdSet) {
    text.append(" ").append(record.args.size() > 1 ? record.args[1] : std::string_view());
    text.append("=").append(record.args.size() > 2 ? record.args[2] : std::string_view());
  } else if (record.code == kCmdIf) {
    text.append(" ").append(record.condition);
  } else {
    for (size_t i = static_cast<size_t>(first); i < record.args.size(); ++i) {
      if (!text.empty()) text += ' ';
      text.append(record.args[i]);
    }
  }
  return text;
}

}  // namespace tolm
