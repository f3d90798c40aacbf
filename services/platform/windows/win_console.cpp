#include "services/platform/windows/win_console.h"

#include <windows.h>

#include <cstdio>

namespace tolm {
namespace {

bool IsUsable(DWORD which) {
  const HANDLE handle = GetStdHandle(which);
  return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

// Points the stream and the standard handle at the console device.
void Reopen(DWORD which, std::FILE* stream, const char* device, const char* mode) {
  if (std::freopen(device, mode, stream) == nullptr) return;
  const DWORD access = which == STD_INPUT_HANDLE ? GENERIC_READ : GENERIC_WRITE;
  const HANDLE handle = CreateFileA(device, access | (which == STD_INPUT_HANDLE ? 0 : GENERIC_READ),
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (handle != INVALID_HANDLE_VALUE) SetStdHandle(which, handle);
}

}  // namespace

void ConnectStandardStreams() {
  const bool input = IsUsable(STD_INPUT_HANDLE);
  const bool output = IsUsable(STD_OUTPUT_HANDLE);
  const bool error = IsUsable(STD_ERROR_HANDLE);
  if (output && error) return;
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
  if (!input) Reopen(STD_INPUT_HANDLE, stdin, "CONIN$", "r");
  if (!output) Reopen(STD_OUTPUT_HANDLE, stdout, "CONOUT$", "w");
  if (!error) Reopen(STD_ERROR_HANDLE, stderr, "CONOUT$", "w");
}

}  // namespace tolm
