// Finding windows over the desktop tree and acting on them, with the helper
// program's windows (needs a display: Wine on Xvfb).
#include <gtest/gtest.h>

#include "services/seams/event_pump.h"
#include "services/seams/exit_status.h"
#include "services/seams/window_search.h"
#include "services/platform/windows/win_windows.h"
#include "helper_window.h"
#include "win_test_support.h"

namespace tolm {
namespace {

using wintest::HelperWindow;
using wintest::WaitUntil;

TEST(WinWindowsTest, ChildrenComeBeforeTheirWindowAndPatternsSelect) {
  HelperWindow helper("Tolm Search Test");
  ASSERT_TRUE(helper.Started());
  ASSERT_TRUE(helper.WaitShown());
  EXPECT_EQ(FindWindows("Tolm Search Test*", "*"), 2);
  ASSERT_EQ(FoundCount(), 2);
  EXPECT_EQ(FoundTitles()[0], "Tolm Search Test Button");
  EXPECT_EQ(FoundTitles()[1], "Tolm Search Test");
  // Class names: the window's own class, and the button's.
  EXPECT_EQ(FindWindows("Tolm Search*", "TolmTestWindow"), 1);
  EXPECT_EQ(FindWindows("Tolm Search*", "Button"), 1);
  EXPECT_EQ(FindWindows("*Search Test", "*"), 1);
  EXPECT_EQ(FindWindowByTitle("tolm search test"), kNoWindow);
}

TEST(WinWindowsTest, ActivateBringsTheWindowToTheForeground) {
  HelperWindow first("Tolm Front One");
  HelperWindow second("Tolm Front Two");
  ASSERT_TRUE(first.WaitShown());
  ASSERT_TRUE(second.WaitShown());
  for (const char* title : {"Tolm Front One", "Tolm Front Two", "Tolm Front One"}) {
    const WindowHandle window = FindWindowByTitle(title);
    ASSERT_NE(window, kNoWindow);
    WindowActivate(window);
    EXPECT_TRUE(WaitUntil([window] { return GetForegroundWindow() == WindowOf(window); })) << title;
  }
}

TEST(WinWindowsTest, CloseAsksTheWindowToCloseAndQuitEndsItsLoop) {
  HelperWindow closed("Tolm Close Test");
  HelperWindow quit("Tolm Quit Test");
  ASSERT_TRUE(closed.WaitShown());
  ASSERT_TRUE(quit.WaitShown());
  WindowClose(FindWindowByTitle("Tolm Close Test"));
  WindowQuit(FindWindowByTitle("Tolm Quit Test"));
  EXPECT_EQ(closed.ExitCode(), 10u);  // WM_CLOSE, then its own quit message
  EXPECT_EQ(quit.ExitCode(), 0u);     // the posted quit message's code
}

}  // namespace
}  // namespace tolm
