// The stand-ins installed at start: the desktop is opened by the first call
// that needs it, once; a failure to open it fails every such call alike; a
// failure the desktop's module reported is raised after its call returns.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "services/modules/desktop_proxies.h"
#include "services/core/errors.h"
#include "services/modules/module_boundary.h"

namespace tolm {
namespace {

// A module's window system: records the calls; reports a failure for the
// window kFailing, as a module's boundary does instead of throwing.
class RecordingWindows : public WindowSystem {
 public:
  static constexpr WindowHandle kFailing = 13;
  std::vector<std::string> calls;

  std::vector<WindowInfo> ListWindows(bool) override {
    calls.push_back("list");
    return {{7, "Seven", "Class"}};
  }
  void Activate(WindowHandle window) override {
    calls.push_back("activate " + std::to_string(window));
    if (window == kFailing) ReportModuleFailure("the window went away");
  }
  void Close(WindowHandle window) override { calls.push_back("close " + std::to_string(window)); }
  void Quit(WindowHandle window) override { calls.push_back("quit " + std::to_string(window)); }
};

class DesktopProxiesTest : public ::testing::Test {
 protected:
  void TearDown() override {
    SetWindowSystem(nullptr);
    SetKeyboardSystem(nullptr);
    SetShowModeHandler(nullptr);
  }

  int opened = 0;
  RecordingWindows windows;
  std::vector<std::string> showModes;
};

std::string FailureOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const Exception& e) {
    return e.Message();
  }
  return "";
}

TEST_F(DesktopProxiesTest, TheDesktopOpensOnTheFirstCallThatNeedsItAndOnlyOnce) {
  InstallDesktopProxies([this] {
    ++opened;
    DesktopBackend backend;
    backend.windows = &windows;
    backend.showMode = [this](int pid, int mode) { showModes.push_back(std::to_string(pid) + ":" + std::to_string(mode)); };
    return backend;
  });
  EXPECT_EQ(opened, 0) << "installing opens nothing";
  EXPECT_EQ(FindWindows("Sev*", "*"), 1);
  WindowActivate(7);
  ApplyShowMode(42, kShowHide);
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(windows.calls, (std::vector<std::string>{"list", "activate 7"}));
  EXPECT_EQ(showModes, (std::vector<std::string>{"42:0"}));
  EXPECT_EQ(FailureOf([] { SendKeys("a"); }), "Keystrokes are not available: no keyboard is installed")
      << "a desktop without a keyboard";
}

TEST_F(DesktopProxiesTest, AFailureReportedByTheModuleIsRaisedAfterItsCallOnce) {
  InstallDesktopProxies([this] {
    DesktopBackend backend;
    backend.windows = &windows;
    return backend;
  });
  EXPECT_EQ(FailureOf([] { WindowActivate(RecordingWindows::kFailing); }), "the window went away");
  EXPECT_EQ(FailureOf([] { WindowClose(7); }), "") << "the failure belongs to the call that reported it";
  EXPECT_EQ(windows.calls, (std::vector<std::string>{"activate 13", "close 7"}));
}

TEST_F(DesktopProxiesTest, ADesktopThatCannotOpenFailsEveryCallThatNeedsItAlike) {
  InstallDesktopProxies([this]() -> DesktopBackend {
    ++opened;
    throw Exception("Cannot load the desktop module: tolm32-x11.so is not in /p/ nor in /p/../lib/tolm/");
  });
  const std::string expected = "Cannot load the desktop module: tolm32-x11.so is not in /p/ nor in /p/../lib/tolm/";
  EXPECT_EQ(FailureOf([] { FindWindows("*", "*"); }), expected);
  EXPECT_EQ(FailureOf([] { SendKeys("a"); }), expected);
  EXPECT_EQ(FailureOf([] { ApplyShowMode(42, kShowMinimized); }), expected);
  EXPECT_EQ(opened, 1) << "the module is looked for once";
}

}  // namespace
}  // namespace tolm
