// Finding windows over the desktop tree and acting on them, with the helper
// program's windows (needs a display: Wine on Xvfb).
#include <gtest/gtest.h>

#include <memory>

#include "services/seams/event_pump.h"
#include "services/seams/exit_status.h"
#include "services/seams/keyboard.h"
#include "services/seams/window_search.h"
#include "services/platform/windows/win_launcher.h"
#include "services/platform/windows/win_handle.h"
#include "services/platform/windows/win_platform.h"
#include "services/platform/windows/win_windows.h"
#include "support/run_tolm.h"
#include "win_test_support.h"

namespace tolm {
namespace {

using testing::TempDir;
using wintest::HelperPath;
using wintest::WaitUntil;

// A helper program showing a window titled title; ended when it goes.
class HelperWindow {
 public:
  explicit HelperWindow(const std::string& title, const std::string& keyLog = "") : title_(title) {
    InstallWindowsPlatform();
    std::string parameters = "window \"" + title + "\"";
    if (!keyLog.empty()) parameters += " \"" + keyLog + "\"";
    child_ = launcher_.Start(HelperPath(), parameters, "").child;
  }
  ~HelperWindow() {
    if (!child_) return;
    UniqueHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, child_->Id()));
    if (!process.Valid()) return;
    TerminateProcess(process.Get(), 0);
    WaitForSingleObject(process.Get(), 10000);
  }
  HelperWindow(const HelperWindow&) = delete;
  HelperWindow& operator=(const HelperWindow&) = delete;

  bool Started() const { return child_ != nullptr; }
  // The button is made last.
  bool WaitShown() const {
    return WaitUntil([this] { return FindWindowByTitle(title_ + " Button") != kNoWindow; });
  }
  // Waits for the program's end and returns its exit code.
  uint32_t ExitCode() {
    const ExitStatus status = child_->WaitForExit();
    child_.reset();
    return status.ok ? status.status : 9999;
  }

 private:
  std::string title_;
  WinLauncher launcher_;
  std::unique_ptr<ChildProcess> child_;
};

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

// The key messages the helper window got, in order, for a key string.
// Each string gets a window of its own, with a title of its own.
std::string KeyMessages(const std::string& keyString, int number) {
  TempDir dir;
  const std::string log = dir.File("keys.log");
  const std::string title = "Tolm Keys Test " + std::to_string(number);
  HelperWindow helper(title, log);
  EXPECT_TRUE(helper.WaitShown());
  const WindowHandle window = FindWindowByTitle(title);
  WindowActivate(window);
  EXPECT_TRUE(WaitUntil([window] { return GetForegroundWindow() == WindowOf(window); }));
  SendKeys(keyString + "{F12}");
  // F12 (123) ends every string: once its release is logged, all came.
  EXPECT_TRUE(WaitUntil([&] { return testing::ReadFileText(log).find("up 123\n") != std::string::npos; }));
  std::string text = testing::ReadFileText(log);
  text.erase(0, text.find('\n') + 1);  // "shown"
  return text.substr(0, text.find("down 123\n"));
}

TEST(WinKeyboardTest, KeyStringsBecomeKeyEventsInTheirOrder) {
  struct Case {
    const char* keys;
    const char* messages;
  };
  const Case cases[] = {
      // A capital gets SHIFT around it; with a modifier held by the string it does not.
      {"aB", "down 65\nup 65\ndown 16\ndown 66\nup 66\nup 16\n"},
      {"^A", "down 17\ndown 65\nup 65\nup 17\n"},
      // A group under a modifier, a repeat count, named keys.
      {"+(ab){TAB 2}{LEFT}", "down 16\ndown 65\nup 65\ndown 66\nup 66\nup 16\ndown 9\nup 9\ndown 9\nup 9\n"
                             "down 37\nup 37\n"},
      {"%x~{x 2}", "down 18\ndown 88\nup 88\nup 18\ndown 13\nup 13\ndown 88\nup 88\ndown 88\nup 88\n"},
  };
  int number = 0;
  for (const Case& c : cases) EXPECT_EQ(KeyMessages(c.keys, ++number), c.messages) << c.keys;
}

}  // namespace
}  // namespace tolm
