// The event pump: what keeps the program responsive while it waits. On Linux
// it serves close requests (SIGTERM, SIGINT, SIGHUP), which end the program at
// once with exit status 128 + the signal number, and any event sources a user
// interface registers. Nothing here polls: waits block on file descriptors
// with a deadline.
#pragma once

#include <chrono>

namespace tolm {

// Serves every event already pending and returns; a close request ends the program.
void ProcessPendingMessages();

// Blocks until the deadline passes or an event arrives, then serves pending
// events. Returns true when it woke because of an event.
bool PumpWaitUntil(std::chrono::steady_clock::time_point deadline);

// Blocks until fd (a pipe, FIFO or terminal, not owned) can be read without
// blocking, or has hung up, serving events meanwhile: a close request ends
// the program while it waits. Without a pump backend it just waits for fd.
void PumpWaitReadable(int fd);

// Sleeps at least ms milliseconds on the pump (waking for every event, which
// is served, and going back to sleep), writing one diagnostic log line per wake.
void PumpingSleep(int ms);

// For a toolkit whose own event loop runs while a dialog is open: the
// descriptor that becomes readable on a close request (-1 without a pump
// backend), and serving it: a pending close request ends the program.
// Neither throws.
int PumpCloseRequestDescriptor() noexcept;
void ServeCloseRequest() noexcept;

}  // namespace tolm
