// The interpreter's module-wide state: the switches "/set" changes, the
// directory "/cd" sets, the word of launch flags every command rewrites, and
// the trace output collected for the end of the run.
#pragma once

#include <cstdint>
#include <string>

namespace tolm {

extern std::string CollectedOutput;  // trace lines, CR LF ended, shown when the run ends
extern bool TraceEnabled;            // "/set debug on|all"
extern bool ExecEnabled;             // "/set exec off" makes a dry run
extern int32_t WaitInterval;         // poll interval of "/waitfor" and "/waitclose", ms
extern std::string CurrentDirectory; // directory for program starts; empty: the process's own
extern uint32_t LaunchFlags;         // show mode and wait/ignore/warn/raise bits of the running command

// Puts every value back to its start-up state (tests run many scripts in one process).
void ResetInterpreterState();

// Appends line + CR LF to CollectedOutput when tracing is on.
void TraceLine(const std::string& line);

}  // namespace tolm
