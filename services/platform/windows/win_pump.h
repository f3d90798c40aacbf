// The event pump on Windows: the main thread's message queue, the console's
// close requests and the registered event sources, waited for together with
// MsgWaitForMultipleObjectsEx. A source's number (event_sources.h) is a
// waitable handle here (win_handle_value.h), ready when it is signalled.
//
// Served from the queue: WM_QUIT, and WM_CLOSE or WM_SYSCOMMAND with SC_CLOSE
// taken from it, end the program at once with the message's first parameter
// as exit code (65535 when it is larger); every other message is translated
// and dispatched.
#pragma once

#include <windows.h>

#include "services/seams/pump_backend.h"

namespace tolm {

class WinPump : public PumpBackend {
 public:
  // Sources beyond this many are not watched (the system's limit of one wait,
  // less the close-request event).
  static constexpr size_t kMaxSources = MAXIMUM_WAIT_OBJECTS - 1;

  // Creates the thread's message queue and installs the console handler.
  WinPump();
  bool WaitAndServe(std::optional<std::chrono::steady_clock::time_point> deadline) override;
  int CloseRequestDescriptor() const override;
  // Ends the program when a console close request waits.
  void ServeCloseRequest() override;

 private:
  HANDLE closeRequests_;
};

// Serves every message queued for the calling thread, with the rules above.
void ServeThreadMessages();

// The exit code a quit or close message asks for.
int MessageExitCode(WPARAM wParam);

}  // namespace tolm
