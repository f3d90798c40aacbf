#include "services/desktop/x11/x11_show_mode.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <poll.h>

#include <optional>
#include <unordered_set>

#include "services/platform/linux/pidfd.h"
#include "services/platform/posix/unique_fd.h"
#include "services/seams/show_mode.h"
#include "services/seams/show_mode.h"
#include "services/desktop/x11/x11_display.h"
#include "services/desktop/x11/x11_properties.h"

namespace tolm {
namespace {

constexpr long kNetWmStateAdd = 1;
constexpr std::chrono::milliseconds kSettleTime{500};

class ShowModeWatch {
 public:
  ShowModeWatch(DisplayPtr display, int pid, int mode)
      : display_(std::move(display)), d_(display_.get()), pid_(pid), mode_(mode) {}

  void Run() {
    // The mode is for a window of the program: once the program has ended no
    // such window can come, and the watch (which the end of a run waits for)
    // stops instead of running out its time.
    programEnd_ = UniqueFd(OpenPidfd(pid_));
    const Window root = DefaultRootWindow(d_);
    XSelectInput(d_, root, SubstructureNotifyMask);
    XSync(d_, False);
    // The program may have been quicker than this thread: look at what exists.
    for (Window top : ChildrenOf(d_, root)) {
      if (Consider(top)) return Settle();
      for (Window inner : ChildrenOf(d_, top)) {  // clients inside frames
        if (Consider(inner)) return Settle();
      }
    }
    if (programEnd_.Get() < 0) return;  // already ended and collected
    const auto deadline = std::chrono::steady_clock::now() + kShowModeWatchTime;
    while (WaitForEvent(deadline)) {
      while (XPending(d_) > 0) {
        XEvent event;
        XNextEvent(d_, &event);
        if (Handle(event)) return Settle();
      }
    }
  }

 private:
  bool WaitForEvent(std::chrono::steady_clock::time_point deadline) {
    if (XPending(d_) > 0) return true;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd fds[2] = {{ConnectionNumber(d_), POLLIN, 0}, {programEnd_.Get(), POLLIN, 0}};
    const nfds_t count = programEnd_.Get() >= 0 ? 2 : 1;
    if (poll(fds, count, static_cast<int>(left.count())) <= 0) return false;
    // Events that came with the program's end are still served.
    return (fds[0].revents & POLLIN) != 0;
  }

  // A window manager still busy taking a new window on may map it once more
  // after it was hidden; a hidden window stays hidden for a short while.
  void Settle() {
    if (mode_ != kShowHide) return;
    const auto deadline = std::chrono::steady_clock::now() + kSettleTime;
    while (WaitForEvent(deadline)) {
      while (XPending(d_) > 0) {
        XEvent event;
        XNextEvent(d_, &event);
        if (event.type == DestroyNotify && event.xdestroywindow.window == applied_) return;
        // Window ids are reused once destroyed: check the owner again.
        if (event.type == MapNotify && event.xmap.window == applied_ && IsTheProgramsWindow(applied_)) {
          Apply(applied_);
        }
      }
    }
  }

  bool Handle(const XEvent& event) {
    switch (event.type) {
      case CreateNotify: return Consider(event.xcreatewindow.window);
      case MapNotify: return Consider(event.xmap.window);
      case PropertyNotify:
        return event.xproperty.atom == InternAtom(d_, "_NET_WM_PID") && Consider(event.xproperty.window);
      case DestroyNotify:  // its id may come back for a new window, which must be followed anew
        watched_.erase(event.xdestroywindow.window);
        return false;
      default: return false;
    }
  }

  // Follows the window from now on; applies the mode when it is the
  // program's and mapped. Returns true when the mode has been applied.
  bool Consider(Window window) {
    if (watched_.insert(window).second) {
      XSelectInput(d_, window, StructureNotifyMask | PropertyChangeMask);
      XSync(d_, False);  // events from here on; the checks below see the state after
    }
    if (!IsTheProgramsWindow(window)) return false;
    XWindowAttributes attributes;
    if (XGetWindowAttributes(d_, window, &attributes) == 0 || attributes.map_state == IsUnmapped) return false;
    Apply(window);
    return true;
  }

  bool IsTheProgramsWindow(Window window) {
    return PropertyItem(d_, window, InternAtom(d_, "_NET_WM_PID")) == static_cast<unsigned long>(pid_);
  }

  void Apply(Window window) {
    applied_ = window;
    const int screen = DefaultScreen(d_);
    switch (mode_) {
      case kShowHide: XWithdrawWindow(d_, window, screen); break;
      case kShowMinimized:
      case kShowMinNoActivate: XIconifyWindow(d_, window, screen); break;
      case kShowMaximized: Maximize(window, screen); break;
      default: break;
    }
    XSync(d_, False);
  }

  void Maximize(Window window, int screen) {
    const Atom state = InternAtom(d_, "_NET_WM_STATE");
    if (WindowManagerSupports(d_, state)) {
      SendClientMessage(d_, window, state,
                        {kNetWmStateAdd, static_cast<long>(InternAtom(d_, "_NET_WM_STATE_MAXIMIZED_VERT")),
                         static_cast<long>(InternAtom(d_, "_NET_WM_STATE_MAXIMIZED_HORZ")), kSourcePager},
                        true);
    } else {
      XMoveResizeWindow(d_, window, 0, 0, static_cast<unsigned>(DisplayWidth(d_, screen)),
                        static_cast<unsigned>(DisplayHeight(d_, screen)));
    }
  }

  DisplayPtr display_;
  Display* d_;
  int pid_;
  int mode_;
  std::unordered_set<Window> watched_;
  UniqueFd programEnd_;  // readable once the program has ended
  Window applied_ = None;
};

}  // namespace

void WatchForShowMode(int pid, int showMode) {
  if (showMode == kShowNormal) return;
  // Without a display the watch fails: a program started from a console run
  // keeps its window as it is (the failure goes to the diagnostic log).
  StartShowModeWatcher([pid, showMode] { ShowModeWatch(OpenDisplay("show modes need"), pid, showMode).Run(); });
}

}  // namespace tolm
