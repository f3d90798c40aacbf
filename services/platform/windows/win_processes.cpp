#include "services/platform/windows/win_processes.h"

#include <tlhelp32.h>

#include <cerrno>
#include <string>

#include "services/seams/debug_log.h"
#include "services/core/errors.h"
#include "services/platform/windows/win_handle.h"

namespace tolm {
namespace {

using EnumProcessesFn = BOOL(WINAPI*)(DWORD*, DWORD, DWORD*);
using EnumProcessModulesFn = BOOL(WINAPI*)(HANDLE, HMODULE*, DWORD, DWORD*);
using GetModuleFileNameExWFn = DWORD(WINAPI*)(HANDLE, HMODULE, WCHAR*, DWORD);
using CreateToolhelp32SnapshotFn = HANDLE(WINAPI*)(DWORD, DWORD);
using Process32Fn = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32*);

// Query and memory-read rights: enough to read a process's module list.
constexpr DWORD kQueryAccess = PROCESS_QUERY_INFORMATION | PROCESS_VM_READ;

HMODULE LoadSystemLibrary(const char* name, const char* shownName) {
  HMODULE library = LoadLibraryA(name);
  if (library == nullptr) throw Exception(std::string(shownName) + ": " + SysErrorDescription(GetLastError()));
  return library;
}

template <typename Fn>
Fn LookUp(HMODULE library, const char* function, const char* libraryName) {
  FARPROC address = GetProcAddress(library, function);
  if (address == nullptr)
    throw Exception("Function " + std::string(function) + " not found in " + libraryName + " ");
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(address));
}

// A wide path in the program's 8-bit code page.
std::string ToAnsi(const WCHAR* text, int length) {
  const int size = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<size_t>(size > 0 ? size : 0), '\0');
  if (size > 0) WideCharToMultiByte(CP_ACP, 0, text, length, result.data(), size, nullptr, nullptr);
  return result;
}

}  // namespace

// Loaded on the first listing and kept for the rest of the run.
struct WinProcesses::ProcessStatusApi {
  EnumProcessModulesFn enumProcessModules;
  EnumProcessesFn enumProcesses;
  GetModuleFileNameExWFn getModuleFileNameExW;

  static const ProcessStatusApi& Get() {
    static const ProcessStatusApi api = Load();
    return api;
  }
  static ProcessStatusApi Load() {
    DebugLog("GetProcNT: loading library");
    HMODULE psapi = LoadSystemLibrary("psapi.dll", "PSAPI.DLL");
    ProcessStatusApi api{LookUp<EnumProcessModulesFn>(psapi, "EnumProcessModules", "PSAPI.DLL"),
                         LookUp<EnumProcessesFn>(psapi, "EnumProcesses", "PSAPI.DLL"),
                         LookUp<GetModuleFileNameExWFn>(psapi, "GetModuleFileNameExW", "PSAPI.DLL")};
    DebugLog("GetProcNT: done loading library");
    return api;
  }
};

struct WinProcesses::ToolHelpApi {
  CreateToolhelp32SnapshotFn createSnapshot;
  Process32Fn first;
  Process32Fn next;

  static const ToolHelpApi& Get() {
    static const ToolHelpApi api = Load();
    return api;
  }
  static ToolHelpApi Load() {
    HMODULE kernel = LoadSystemLibrary("KERNEL32.DLL", "KERNEL32.DLL");
    return ToolHelpApi{LookUp<CreateToolhelp32SnapshotFn>(kernel, "CreateToolhelp32Snapshot", "KERNEL32.DLL"),
                       LookUp<Process32Fn>(kernel, "Process32First", "KERNEL32.DLL"),
                       LookUp<Process32Fn>(kernel, "Process32Next", "KERNEL32.DLL")};
  }
};

bool IsWindowsNT() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  const BOOL known = GetVersionExA(&version);
#pragma GCC diagnostic pop
  return known && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

WinProcesses::WinProcesses(ProcessListing listing) : listing_(listing) {}

std::vector<uint32_t> WinProcesses::ProcessIds() {
  return listing_ == ProcessListing::ProcessStatus ? ProcessStatusIds() : ToolHelpIds();
}

// Every process: the table grows until the system's answer leaves room.
std::vector<uint32_t> WinProcesses::ProcessStatusIds() {
  const ProcessStatusApi& api = ProcessStatusApi::Get();
  std::vector<DWORD> ids(1024);
  for (;;) {
    DWORD bytes = 0;
    const DWORD capacity = static_cast<DWORD>(ids.size() * sizeof(DWORD));
    if (!api.enumProcesses(ids.data(), capacity, &bytes)) bytes = 0;
    if (bytes < capacity) {
      ids.resize(bytes / sizeof(DWORD));
      return std::vector<uint32_t>(ids.begin(), ids.end());
    }
    ids.resize(ids.size() * 2);
  }
}

std::vector<uint32_t> WinProcesses::ToolHelpIds() {
  const ToolHelpApi& api = ToolHelpApi::Get();
  UniqueHandle snapshot(api.createSnapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot.Valid())
    throw Exception("Function CreateToolHelp32Snapshot failed: " + SysErrorDescription(GetLastError()));
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  if (!api.first(snapshot.Get(), &entry))
    throw Exception("Function Process32First failed: " + SysErrorDescription(GetLastError()));
  std::vector<uint32_t> ids;
  snapshotNames_.clear();
  do {
    ids.push_back(entry.th32ProcessID);
    snapshotNames_[entry.th32ProcessID] = entry.szExeFile;
    entry.dwSize = sizeof entry;
  } while (api.next(snapshot.Get(), &entry));
  return ids;
}

std::string WinProcesses::ImagePath(uint32_t id) {
  if (listing_ == ProcessListing::ProcessStatus) return ModulePath(id);
  auto it = snapshotNames_.find(id);
  return it == snapshotNames_.end() ? std::string() : it->second;
}

// The path of the process's first module (its executable); empty when the
// process cannot be opened (rights, or it ended meanwhile) or read.
std::string WinProcesses::ModulePath(uint32_t id) {
  const ProcessStatusApi& api = ProcessStatusApi::Get();
  DebugLog("GetProcNT: doing OpenProcess");
  UniqueHandle process(OpenProcess(kQueryAccess, FALSE, id));
  if (!process.Valid()) return std::string();
  DebugLog("GetProcNT: doing EnumProcessModules");
  HMODULE module = nullptr;
  DWORD needed = 0;
  std::string path;
  if (api.enumProcessModules(process.Get(), &module, sizeof module, &needed)) {
    WCHAR name[MAX_PATH];
    const DWORD length = api.getModuleFileNameExW(process.Get(), module, name, MAX_PATH);
    path = ToAnsi(name, static_cast<int>(length));
  }
  DebugLog("GetProcNT: doing CloseHandle(hProc)");
  return path;
}

KillResult WinProcesses::Kill(uint32_t id) {
  UniqueHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
  if (!process.Valid()) {
    const DWORD error = GetLastError();
    // No process has that id any more: it ended since it was listed. The
    // bookkeeping takes ESRCH for that, whatever the system.
    return KillResult{KillStep::Open, error == ERROR_INVALID_PARAMETER ? ESRCH : static_cast<int>(error)};
  }
  // A process that has ended stays open while anyone holds a handle to it.
  if (WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0) return KillResult{KillStep::Open, ESRCH};
  if (!TerminateProcess(process.Get(), 1)) {
    const DWORD error = GetLastError();
    // Terminating a process that has just ended is refused (access denied).
    const bool ended = WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0;
    return KillResult{KillStep::Terminate, ended ? ESRCH : static_cast<int>(error)};
  }
  return KillResult{};
}

uint32_t WinProcesses::CurrentId() { return GetCurrentProcessId(); }

}  // namespace tolm
