// Running command text and command files: parse, walk the command list, and
// wrap every failure with the text of the command it passed through.
#pragma once

#include <string>

#include "front/command_store.h"

namespace tolm {

// Parses text (+ CR LF) with the source name "ARGS" and runs it.
void RunCommandText(const std::string& text);
// Opens, parses and runs a command file; the title shows its name meanwhile.
void RunCommandFile(const std::string& fileName);
// Runs the records in order; ExecEnabled is read anew for every record.
void RunCommandList(const CommandList& list);
// Traces and executes one record; a failure leaves wrapped with its command text.
void RunCommand(const CommandRecord& record, bool execute);
// A failure that /ignore (silent) or /warn (error box) may soften.
void ReportCommandFailure(const std::string& message);

// The display text of a command: keyword or program, its options, its arguments
// from index first on.
std::string CommandText(const CommandRecord& record, int first);
// The option words in fixed order, each once, without separators.
std::string OptionText(const CommandRecord& record);
std::string OptionText(const Tcmdrec& record);  // the editor's record
void TraceCommand(const CommandRecord& record);


}  // namespace tolm
