// The session's desktop, opened on first use (Lazy): once, and a failure to
// open it kept and raised again the same way by every later use.
#include "services/seams/desktop.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "services/core/errors.h"
#include "services/core/lazy.h"

namespace tolm {
namespace {

template <typename Call>
std::string FailureText(Call call) {
  try {
    call();
  } catch (const Exception& e) {
    return e.Message();
  }
  return "(no failure)";
}

class NoWindows : public WindowSystem {
 public:
  std::vector<WindowInfo> ListWindows(bool) override { return {}; }
  void Activate(WindowHandle) override {}
  void Close(WindowHandle) override {}
  void Quit(WindowHandle) override {}
};

class DesktopTest : public ::testing::Test {
 protected:
  void TearDown() override { UninstallDesktop(); }
  NoWindows windows_;
};

TEST_F(DesktopTest, IsOpenedByTheFirstUseAndOnlyOnce) {
  int opens = 0;
  std::vector<std::pair<int, int>> modes;
  InstallDesktop([&] {
    ++opens;
    return DesktopBackend{&windows_, nullptr, [&](int pid, int mode) { modes.emplace_back(pid, mode); }};
  });
  EXPECT_EQ(opens, 0) << "installing opens nothing";
  EXPECT_EQ(FindWindows("*", "*"), -1);
  EXPECT_EQ(FindWindowByTitle("x"), kNoWindow);
  ApplyShowMode(5, kShowMinimized);
  EXPECT_EQ(opens, 1);
  EXPECT_EQ(modes, (std::vector<std::pair<int, int>>{{5, kShowMinimized}}));
  EXPECT_EQ(FailureText([] { SendKeys("a"); }), "Keystrokes are not available: no keyboard is installed");
}

TEST_F(DesktopTest, AFailureToOpenIsKeptAndRaisedByEveryUse) {
  int opens = 0;
  InstallDesktop([&]() -> DesktopBackend {
    ++opens;
    throw Exception("Cannot load the desktop module: tolm32-x11.so is not in /p/ nor in /p/../lib/tolm/");
  });
  const std::string expected = "Cannot load the desktop module: tolm32-x11.so is not in /p/ nor in /p/../lib/tolm/";
  EXPECT_EQ(FailureText([] { FindWindowByTitle("x"); }), expected);
  EXPECT_EQ(FailureText([] { SendKeys("a"); }), expected);
  EXPECT_EQ(FailureText([] { ApplyShowMode(5, kShowHide); }), expected);
  EXPECT_EQ(opens, 1) << "the module is not searched for again";
}

TEST_F(DesktopTest, WithoutADesktopWindowCommandsFailAndShowModesAreNotApplied) {
  UninstallDesktop();
  EXPECT_FALSE(HasDesktop());
  EXPECT_EQ(FailureText([] { FindWindowByTitle("x"); }),
            "Window commands are not available: no desktop is installed");
  EXPECT_NO_THROW(ApplyShowMode(5, kShowHide));
}

TEST(Lazy, KeepsWhatItMadeAndAnyFailureOfTheOneAttempt) {
  int made = 0;
  Lazy<int> number([&] { return ++made * 10; });
  EXPECT_FALSE(number.Made());
  EXPECT_EQ(number.Get(), 10);
  EXPECT_EQ(number.Get(), 10);
  EXPECT_TRUE(number.Made());
  EXPECT_EQ(made, 1);

  int tries = 0;
  Lazy<int> failing([&]() -> int {
    ++tries;
    throw std::runtime_error("no such thing");
  });
  EXPECT_THROW(failing.Get(), std::runtime_error) << "the first use sees the failure itself";
  EXPECT_EQ(FailureText([&] { failing.Get(); }), "no such thing") << "later ones raise its message";
  EXPECT_EQ(tries, 1);
  EXPECT_FALSE(failing.Made());
}

}  // namespace
}  // namespace tolm
