// The platform side of the event pump: blocking on the close-request signals
// and the registered event sources (event_sources.h), and serving them.
#pragma once

#include <chrono>
#include <optional>

namespace tolm {

class PumpBackend {
 public:
  virtual ~PumpBackend() = default;
  // Blocks until a close request or a registered source is ready, or until
  // the deadline (none: no limit; one already passed: do not block). Then
  // serves what is ready: a close request ends the program, a ready source
  // gets its callback. Returns true when an event woke it, false on time-out.
  virtual bool WaitAndServe(std::optional<std::chrono::steady_clock::time_point> deadline) = 0;
  // For a toolkit whose own event loop runs (a modal dialog, toolkit_loop.h):
  // the descriptor that is readable while a close request is pending (-1:
  // none), and serving it, which ends the program.
  virtual int CloseRequestDescriptor() const { return -1; }
  virtual void ServeCloseRequest() {}
};

// Installs the backend (not owned); nullptr uninstalls. Without one, waits
// just sleep until their deadline and nothing is served.
void SetPumpBackend(PumpBackend* backend);

// Blocks until fd can be read without blocking, or has hung up, with no pump
// installed to serve anything meanwhile (one per platform).
void WaitReadableWithoutPump(int fd);

}  // namespace tolm
