// Qt's event loop attached to the program's event pump (toolkit_loop.h).
// While it lives, every wait of the program runs Qt's loop, watching the
// pump's sources and deadline, so windows repaint and stay usable during
// "/sleep", "/wait" and the like; and whenever Qt's loop runs (a modal dialog
// included) a close request ends the program at once.
#pragma once

#include <memory>

#include "services/seams/toolkit_loop.h"

class QSocketNotifier;

namespace tolm {

class EventBridge : public ToolkitLoop {
 public:
  // Needs the application object; attaches itself to the pump.
  EventBridge();
  ~EventBridge() override;
  EventBridge(const EventBridge&) = delete;
  EventBridge& operator=(const EventBridge&) = delete;

  void ServePending() noexcept override;
  void WaitReadable(const std::vector<int>& fds,
                    std::optional<std::chrono::steady_clock::time_point> deadline) noexcept override;

 private:
  std::unique_ptr<QSocketNotifier> closeRequests_;
};

}  // namespace tolm
