#include "interp/interpreter_state.h"

namespace tolm {

std::string CollectedOutput;
bool TraceEnabled = false;
bool ExecEnabled = true;
int32_t WaitInterval = 500;
std::string CurrentDirectory;
uint32_t LaunchFlags = 0;

void ResetInterpreterState() {
  CollectedOutput.clear();
  TraceEnabled = false;
  ExecEnabled = true;
  WaitInterval = 500;
  CurrentDirectory.clear();
  LaunchFlags = 0;
}

void TraceLine(const std::string& line) {
  if (!TraceEnabled) return;
  CollectedOutput += line;
  CollectedOutput += "\r\n";
}

}  // namespace tolm
