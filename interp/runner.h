// Running command text and command files: parse, walk the command list, and
// wrap every failure with the text of the command it passed through.
#pragma once

#include <string>

#include "front/command_store.h"
#include "front/command_text.h"

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

void TraceCommand(const CommandRecord& record);


}  // namespace tolm
