#include "services/desktop/x11/x11_window_wait.h"

#include <algorithm>
#include <vector>

#include "services/seams/event_sources.h"
#include "services/desktop/x11/x11_display.h"

#include "services/seams/event_pump.h"

namespace tolm {
namespace {

using Clock = std::chrono::steady_clock;

constexpr long kWatchMask = PropertyChangeMask | StructureNotifyMask | FocusChangeMask;

// Selects the events on the windows and registers the connection with the
// pump for its lifetime; undoes both.
class WindowEventWatch {
 public:
  WindowEventWatch(Display* display, std::initializer_list<Window> windows)
      : display_(display), windows_(windows) {
    std::erase(windows_, None);
    for (Window w : windows_) XSelectInput(display_, w, kWatchMask);
    XFlush(display_);
    // The events only wake the wait: ready() reads the state afresh.
    registration_ = WatchEventSource(ConnectionNumber(display_), [display] { DiscardQueuedEvents(display); });
  }
  ~WindowEventWatch() {
    // The selection belongs to this connection only; the windows' own
    // programs keep theirs. What arrived meanwhile is dropped with it.
    for (Window w : windows_) XSelectInput(display_, w, NoEventMask);
    XSync(display_, False);
    DiscardQueuedEvents(display_);
  }
  WindowEventWatch(const WindowEventWatch&) = delete;
  WindowEventWatch& operator=(const WindowEventWatch&) = delete;

 private:
  Display* display_;
  std::vector<Window> windows_;
  EventSourceRegistration registration_;
};

}  // namespace

bool WaitForWindow(Display* display, std::initializer_list<Window> watched, const std::function<bool()>& ready) {
  if (ready()) return true;
  const Clock::time_point deadline = Clock::now() + kWindowReadyTime;
  WindowEventWatch watch(display, watched);
  for (;;) {
    // Checked after the events are selected, so no change slips in between.
    DiscardQueuedEvents(display);
    if (ready()) return true;
    const Clock::time_point now = Clock::now();
    if (now >= deadline) return false;
    // Events read along with ready()'s replies are already off the socket:
    // check again rather than wait for them.
    if (XPending(display) > 0) continue;
    PumpWaitUntil(std::min(deadline, now + kRecheckInterval));
  }
}

}  // namespace tolm
