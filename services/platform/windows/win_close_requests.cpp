#include "services/platform/windows/win_close_requests.h"

#include <atomic>

#include "services/seams/program_end.h"

namespace tolm {
namespace {

// How long the console handler gives the main thread to serve a request of
// a console that is going away, before the program is ended from the
// handler's thread (the system ends it soon after the handler returns).
constexpr DWORD kConsoleGoneGraceMs = 3000;

std::atomic<int> pendingCode{-1};

HANDLE RequestEvent() {
  static HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  return event;
}

int ExitCodeFor(DWORD controlType) {
  switch (controlType) {
    case CTRL_C_EVENT:
      return kExitCtrlC;
    case CTRL_BREAK_EVENT:
      return kExitCtrlBreak;
    default:  // the console closes, the user logs off, the system shuts down
      return kExitConsoleClosed;
  }
}

BOOL WINAPI OnConsoleControl(DWORD controlType) {
  const int code = ExitCodeFor(controlType);
  RequestClose(code);
  if (controlType == CTRL_C_EVENT || controlType == CTRL_BREAK_EVENT) return TRUE;
  // The console goes away: once this handler returns the system ends the
  // process. The main thread serves the request at its next event; if it is
  // busy elsewhere for long, the program ends from here.
  Sleep(kConsoleGoneGraceMs);
  EndProgram(code);
}

}  // namespace

HANDLE InstallConsoleCloseRequests() {
  static const bool installed = SetConsoleCtrlHandler(OnConsoleControl, TRUE) != 0;
  (void)installed;
  return RequestEvent();
}

bool TakeCloseRequest(int& exitCode) {
  exitCode = pendingCode.exchange(-1);
  if (exitCode < 0) return false;
  ResetEvent(RequestEvent());
  return true;
}

void RequestClose(int exitCode) {
  int none = -1;
  pendingCode.compare_exchange_strong(none, exitCode);  // the first request decides
  SetEvent(RequestEvent());
}

}  // namespace tolm
