// The running processes on Windows, by one of two ways of listing them: the
// process-status library "psapi.dll" (EnumProcesses; names are the full path
// of each process's first module) on the NT family, which every 64-bit
// Windows is, and the tool-help snapshot of "KERNEL32.DLL" elsewhere (names
// are the executable names the snapshot records). Both libraries are loaded
// and their functions looked up at run time, so the program starts where
// either set is missing.
#pragma once

#include <windows.h>

#include <map>

#include "services/seams/process_api.h"

namespace tolm {

enum class ProcessListing { ProcessStatus, ToolHelp };

// Whether the system is of the NT family (GetVersionExA).
bool IsWindowsNT();

class WinProcesses : public SystemProcesses {
 public:
  explicit WinProcesses(ProcessListing listing);
  // Throws Exception when the library or one of its functions is missing,
  // or the snapshot cannot be taken.
  std::vector<uint32_t> ProcessIds() override;
  std::string ImagePath(uint32_t id) override;
  KillResult Kill(uint32_t id) override;
  uint32_t CurrentId() override;

 private:
  struct ProcessStatusApi;
  struct ToolHelpApi;
  std::vector<uint32_t> ProcessStatusIds();
  std::vector<uint32_t> ToolHelpIds();
  std::string ModulePath(uint32_t id);

  ProcessListing listing_;
  // The executable names of the last tool-help snapshot, by process id.
  std::map<uint32_t, std::string> snapshotNames_;
};

}  // namespace tolm
