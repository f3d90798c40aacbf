// The display text of a command record: what traces, failure reports and the
// editor show of it.
#pragma once

#include <string>

#include "front/command_record.h"
#include "front/command_store.h"

namespace tolm {

// The display text of a command: keyword or program, its options, its arguments
// from index first on.
std::string CommandText(const CommandRecord& record, int first);
// The option words in fixed order, each once, without separators.
std::string OptionText(const CommandRecord& record);
std::string OptionText(const Tcmdrec& record);  // the editor's record

}  // namespace tolm
