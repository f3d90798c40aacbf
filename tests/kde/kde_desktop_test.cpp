// The KDE backend in the test's own process against a real headless KWin
// (tools/with-kwin.sh): why it declines without KWin, window search by
// caption and resource class, activation, close, ending a window's program,
// and windows that went away.
#include <gtest/gtest.h>

#include <signal.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "kde_test_support.h"
#include "services/desktop/kde/kde_platform.h"
#include "services/seams/keyboard.h"
#include "services/seams/window_search.h"
#include "support/scoped_variable.h"
#include "wayland_test_support.h"

namespace tolm::testing {
namespace {

TEST(KdeDesktop, OutsideAKdeSessionOrWithoutASessionBusItDeclinesWithTheReason) {
  // Only an open that succeeds is kept; a declined one reads the environment
  // again. A session named KDE, or not named, looks for KWin on the bus.
  const ScopedVariable bus("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus");
  const std::string noBus =
      "cannot connect to the session bus \"unix:path=/nonexistent/bus\": No such file or directory";
  const struct {
    const char* currentDesktop;
    std::string reason;
  } cases[] = {
      {"sway", "XDG_CURRENT_DESKTOP is \"sway\", not KDE"},
      {"GNOME:KDE-Classic", "XDG_CURRENT_DESKTOP is \"GNOME:KDE-Classic\", not KDE"},
      {"KDE", noBus},
      {"plasma:KDE", noBus},
      {"", noBus},
      {nullptr, noBus},
  };
  for (const auto& c : cases) {
    const ScopedVariable desktop("XDG_CURRENT_DESKTOP", c.currentDesktop);
    DesktopBackend backend;
    std::string reason;
    EXPECT_FALSE(OpenKdeDesktop(backend, reason));
    EXPECT_EQ(reason, c.reason) << (c.currentDesktop ? c.currentDesktop : "(unset)");
  }
}

TEST(KdeDesktop, WindowsAreFoundByCaptionAndResourceClassAndGoneOnesAreHarmless) {
  TOLM_REQUIRE_KWIN();
  InstallKdeDesktop();
  const std::string title = UniqueTitle("find") + " \"q\" \xC3\xA9\\";
  std::optional<WaylandTestWindow> window;
  window.emplace(title, std::vector<std::string>{"--app-id", "TolmFind", "--many", "2"});
  const struct {
    std::string titlePattern;
    const char* classPattern;
    int count;
  } cases[] = {
      {"", "TolmFind", 3},  // the empty pattern matches every title
      {"*find*", "TolmFind", 3},
      {"*find*", "Other", 0},
      {"*find*", "*", 3},
      {title, "TolmFind", 1},
      {title + " 2", "*", 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FindWindows(c.titlePattern, c.classPattern), c.count) << c.titlePattern << " " << c.classPattern;
  }
  EXPECT_EQ(FindWindows(title, "*"), 1);
  ASSERT_EQ(FoundTitles(), std::vector<std::string>{title});
  const WindowHandle found = FindWindowByTitle(title);
  ASSERT_NE(found, kNoWindow);
  EXPECT_EQ(FindWindowByTitle(title), found);  // the same window keeps its handle

  window.reset();  // killed: its windows go
  EXPECT_TRUE(WaitUntil([&] { return FindWindowByTitle(title) == kNoWindow; }));
  EXPECT_LE(FindWindows(title + "*", "*"), 0);
  EXPECT_NO_THROW(WindowActivate(found));
  EXPECT_NO_THROW(WindowClose(found));
  EXPECT_NO_THROW(WindowQuit(found));
}

TEST(KdeDesktop, ActivationDecidesWhichWindowGetsTheKeys) {
  TOLM_REQUIRE_KWIN();
  AuthoriseTestPrograms();
  SetKeyboardLayouts("us");
  InstallKdeDesktop();
  WaylandTestWindow one(UniqueTitle("one"));
  WaylandTestWindow two(UniqueTitle("two"));
  WindowActivate(FindWindowByTitle(one.Title()));
  SendKeys("1");
  WindowActivate(FindWindowByTitle(two.Title()));
  SendKeys("2");
  WindowActivate(FindWindowByTitle(one.Title()));
  SendKeys("3");
  EXPECT_TRUE(WaitUntil([&] { return one.LogLines().size() >= 2 && two.LogLines().size() >= 1; }));
  EXPECT_EQ(one.LogLines(), (std::vector<std::string>{"1", "3"}));
  EXPECT_EQ(two.LogLines(), (std::vector<std::string>{"2"}));
  // The active window comes first in a search.
  FindWindows("*", "*");
  ASSERT_FALSE(FoundTitles().empty());
  EXPECT_EQ(FoundTitles().front(), one.Title());
}

TEST(KdeDesktop, CloseAsksTheWindowAndKillWindowEndsItsProgram) {
  TOLM_REQUIRE_KWIN();
  InstallKdeDesktop();
  WaylandTestWindow closing(UniqueTitle("close"));
  WaylandTestWindow ending(UniqueTitle("end"));
  WindowClose(FindWindowByTitle(closing.Title()));
  EXPECT_EQ(closing.WaitExit(), 0);  // the test window ends with 0 on a close request
  WindowQuit(FindWindowByTitle(ending.Title()));
  EXPECT_EQ(ending.WaitExit(), 128 + SIGTERM);
  EXPECT_TRUE(WaitUntil([&] { return FindWindowByTitle(ending.Title()) == kNoWindow; }));
}

}  // namespace
}  // namespace tolm::testing
