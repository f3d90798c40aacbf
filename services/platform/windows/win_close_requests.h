// Close requests on Windows. A console program's user closes it with Ctrl+C,
// Ctrl+Break or by closing its console; these arrive on a thread of the
// system's own and are handed to the event pump through an event, so that,
// as every other close request, they end the program at a point where the
// main thread serves events. (WM_QUIT, WM_CLOSE and SC_CLOSE arrive in the
// message queue and are the pump's own business.)
#pragma once

#include <windows.h>

namespace tolm {

// Exit codes of the console's close requests: 128 + the number of the C
// runtime's signal for them, as on other systems.
inline constexpr int kExitCtrlC = 128 + 2;       // SIGINT
inline constexpr int kExitCtrlBreak = 128 + 21;  // SIGBREAK
inline constexpr int kExitConsoleClosed = 128 + 1;  // as SIGHUP

// Registers the console control handler (once). Returns the manual-reset
// event that is set while a close request waits to be served.
HANDLE InstallConsoleCloseRequests();

// Takes the close request that waits, if any: true with the exit code it
// asks for.
bool TakeCloseRequest(int& exitCode);

// For tests: makes a close request as the console handler does.
void RequestClose(int exitCode);

}  // namespace tolm
