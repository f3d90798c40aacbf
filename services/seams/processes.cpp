#include "services/seams/processes.h"

#include <cerrno>
#include <vector>

#include "services/seams/debug_log.h"
#include "services/core/errors.h"
#include "services/seams/process_api.h"
#include "services/core/text.h"

namespace tolm {
namespace {

// The ids taken at n = 1, read by the later calls of one enumeration. It
// holds every process: a desktop runs far more than a fixed table would take.
std::vector<uint32_t>& ProcessIdTable() {
  static std::vector<uint32_t> table;
  return table;
}

// The diagnostic trace keeps the lines users of the log know, where they
// still mean something: "in GetProcNT" on every call; at n = 1 the listing
// and its count line (maxProc, once the size of a fixed table, is the count
// since the table takes them all; nbytes is the ids' size at four bytes each); for a delivered process "assigning pid" and
// "exiting". The lines about loading a library and opening a process handle
// are gone: reading a process's executable needs neither here.
void RefillTable() {
  DebugLog("GetProcNT: doing EnumProcesses");
  std::vector<uint32_t>& table = ProcessIdTable();
  table = CurrentSystemProcesses().ProcessIds();
  DebugLog("nProdIds = " + std::to_string(table.size()) + ", maxProc=" + std::to_string(table.size()) +
           ", nbytes=" + std::to_string(table.size() * sizeof(uint32_t)));
}

}  // namespace

bool GetProcess(int n, uint32_t& id, std::string& name) {
  DebugLog("in GetProcNT");
  if (n == 1) RefillTable();
  const std::vector<uint32_t>& table = ProcessIdTable();
  if (n < 1 || static_cast<size_t>(n) > table.size()) return false;
  DebugLog("GetProcNT: assigning pid");
  id = table[static_cast<size_t>(n) - 1];
  name = TrimBlanks(CurrentSystemProcesses().ImagePath(id));
  DebugLog("GetProcNT: exiting");
  return true;
}

bool KillProcess(uint32_t id) {
  KillResult result = CurrentSystemProcesses().Kill(id);
  // A process that ended on its own since it was listed (at either step) is
  // gone, as the caller asked.
  if (result.failedStep != KillStep::Done && result.error == ESRCH) return false;
  switch (result.failedStep) {
    case KillStep::Done:
      return true;
    case KillStep::Open:
      throw Exception("Function OpenProcess failed: " + SysErrorDescription(result.error));
    case KillStep::Terminate:
      break;
  }
  throw Exception("Function TerminateProcess failed: " + SysErrorDescription(result.error));
}

uint32_t CurrentProcessId() { return CurrentSystemProcesses().CurrentId(); }

}  // namespace tolm
