#include "services/seams/process_api.h"

#include "services/core/errors.h"

namespace tolm {
namespace {

ProcessLauncher*& Launcher() {
  static ProcessLauncher* launcher = nullptr;
  return launcher;
}

SystemProcesses*& Processes() {
  static SystemProcesses* processes = nullptr;
  return processes;
}

}  // namespace

void SetProcessLauncher(ProcessLauncher* launcher) { Launcher() = launcher; }
void SetSystemProcesses(SystemProcesses* processes) { Processes() = processes; }

ProcessLauncher& CurrentProcessLauncher() {
  if (!Launcher()) throw Exception("No process launcher installed");
  return *Launcher();
}

SystemProcesses& CurrentSystemProcesses() {
  if (!Processes()) throw Exception("No process service installed");
  return *Processes();
}

}  // namespace tolm
