// A GUI toolkit with an event loop of its own (the Qt window module). While
// one is attached, the event pump lets the toolkit do the blocking: each wait
// runs the toolkit's loop, which serves its windows, timers and display
// connection, until one of the pump's sources is ready or the deadline
// passes. So windows repaint and stay usable during every wait, and no one
// polls.
//
// The toolkit lives in a module that is loaded at run time: the program
// calls these operations across the module boundary
// (services/modules/boundary.h), so they throw nothing.
#pragma once

#include <chrono>
#include <optional>
#include <vector>

namespace tolm {

class ToolkitLoop {
 public:
  virtual ~ToolkitLoop() = default;
  // Serves the toolkit's pending events without blocking.
  virtual void ServePending() noexcept = 0;
  // Serves the toolkit's events until one of fds is readable or hung up, or
  // the deadline passes (none: no limit). Whenever its loop runs, the toolkit
  // also watches PumpCloseRequestDescriptor() and serves a close request with
  // ServeCloseRequest(), so the fds given here are the registered sources only.
  virtual void WaitReadable(const std::vector<int>& fds,
                            std::optional<std::chrono::steady_clock::time_point> deadline) noexcept = 0;
};

// Attaches the toolkit (not owned); nullptr detaches it.
void AttachToolkitLoop(ToolkitLoop* loop) noexcept;
// The attached toolkit, or nullptr.
ToolkitLoop* AttachedToolkitLoop() noexcept;

}  // namespace tolm
