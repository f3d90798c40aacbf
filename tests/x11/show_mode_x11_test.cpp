// gtest first: Xlib defines macros (None, Bool, Status) that clash with it.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>

#include "services/seams/show_mode.h"
#include "services/seams/window_search.h"
#include "x11_test_support.h"

namespace tolm::testing {
namespace {

// Starts a test window with a show mode. As after a program start, the mode
// is normally asked for before the window exists, and the watcher must catch
// the window when it is mapped; with late set, the window is already there.
class ShowModeTest : public ::testing::TestWithParam<bool> {
 protected:
  Window StartWith(int mode) {
    const bool late = GetParam();
    const auto applyNow = [mode](pid_t pid) { ApplyShowMode(pid, mode); };
    window_ = std::make_unique<TestWindowProcess>(UniqueTitle("show"), std::vector<std::string>{},
                                                  late ? std::function<void(pid_t)>{} : applyNow);
    if (late) ApplyShowMode(window_->Pid(), mode);
    // Searched until found: a window manager moves a window it stops
    // managing (hidden at once by the watcher) from its frame back to the
    // root, and one walk of the tree can pass both places just before and
    // after the move.
    WindowHandle handle = kNoWindow;
    EXPECT_TRUE(WaitUntil([&] { return (handle = FindWindowByTitle(window_->Title())) != kNoWindow; }));
    return static_cast<Window>(handle);
  }

  bool HasState(Window w, const char* state) {
    const auto states = probe_.Property(w, "_NET_WM_STATE");
    return std::find(states.begin(), states.end(), probe_.Atom(state)) != states.end();
  }

  // ICCCM WM_STATE: 1 normal, 3 iconic; 0 when the window manager has none.
  unsigned long WmState(Window w) {
    const auto state = probe_.Property(w, "WM_STATE");
    return state.empty() ? 0 : state.front();
  }

  XProbe probe_;
  std::unique_ptr<TestWindowProcess> window_;
};

TEST_P(ShowModeTest, HideWithdrawsTheWindow) {
  const Window w = StartWith(kShowHide);
  EXPECT_TRUE(WaitUntil([&] { return probe_.MapState(w) == IsUnmapped; }));
}

TEST_P(ShowModeTest, AHiddenWindowCanStillBeClosed) {
  const Window w = StartWith(kShowHide);
  ASSERT_TRUE(WaitUntil([&] { return probe_.MapState(w) == IsUnmapped; }));
  // A window manager no longer manages a withdrawn window, so the close goes
  // to the window itself.
  WindowClose(static_cast<WindowHandle>(w));
  EXPECT_EQ(window_->WaitExit(), 0);
}

TEST_P(ShowModeTest, MaximizeFillsTheScreen) {
  const Window w = StartWith(kShowMaximized);
  if (probe_.HasWindowManager()) {
    EXPECT_TRUE(WaitUntil([&] {
      return HasState(w, "_NET_WM_STATE_MAXIMIZED_VERT") && HasState(w, "_NET_WM_STATE_MAXIMIZED_HORZ");
    }));
  } else {
    Display* d = probe_.Get();
    EXPECT_TRUE(WaitUntil([&] {
      XWindowAttributes a;
      return XGetWindowAttributes(d, w, &a) != 0 && a.width == DisplayWidth(d, DefaultScreen(d)) &&
             a.height == DisplayHeight(d, DefaultScreen(d));
    }));
  }
}

TEST_P(ShowModeTest, MinimizeAndNoActivateIconify) {
  for (int mode : {kShowMinimized, kShowMinNoActivate}) {
    const Window w = StartWith(mode);
    if (probe_.HasWindowManager()) {
      EXPECT_TRUE(WaitUntil([&] { return WmState(w) == IconicState; })) << "mode " << mode;
      EXPECT_NE(probe_.Focus(), w) << "mode " << mode;
    } else {
      // Without a window manager there is no iconic state: the window stays shown.
      std::this_thread::sleep_for(300ms);
      EXPECT_EQ(probe_.MapState(w), IsViewable) << "mode " << mode;
    }
  }
}

TEST_P(ShowModeTest, NormalLeavesTheWindowAlone) {
  const Window w = StartWith(kShowNormal);
  std::this_thread::sleep_for(300ms);
  EXPECT_EQ(probe_.MapState(w), IsViewable);
}

INSTANTIATE_TEST_SUITE_P(WindowMappedLaterOrAlready, ShowModeTest, ::testing::Values(false, true));  // Bool() clashes with Xlib's macro

}  // namespace
}  // namespace tolm::testing
