// The GNOME backend in the test's own process against a real headless
// gnome-shell (tools/with-gnome.sh) with our extension: why it declines
// outside GNOME, window search by title and class, activation, close,
// ending a window's program, windows that went away, and what a user is told
// when the extension is switched off or unknown to GNOME Shell.
#include <gtest/gtest.h>
#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gnome_test_support.h"
#include "services/core/errors.h"
#include "services/desktop/dbus/dbus_connection.h"
#include "services/desktop/gnome/gnome_platform.h"
#include "services/desktop/gnome/shell_extension.h"
#include "services/seams/keyboard.h"
#include "services/seams/window_search.h"
#include "support/scoped_variable.h"
#include "wayland_test_support.h"

namespace tolm::testing {
namespace {

TEST(GnomeDesktop, OutsideAGnomeSessionItDeclinesWithTheReason) {
  // A bus of the test's own, on which GNOME Shell is not.
  TempDir dir;
  const std::string address = "unix:path=" + dir.File("bus");
  RunningProgram daemon("/usr/bin/dbus-daemon", {"--config-file=/usr/share/dbus-1/session.conf",
                                                 "--address=" + address, "--nofork", "--nopidfile"});
  ASSERT_TRUE(WaitUntil([&] { return std::filesystem::exists(dir.File("bus")); }));
  const std::string none = "unix:path=/nonexistent/bus";
  const std::string noShell = "GNOME Shell is not on the session bus (the name org.gnome.Shell has no owner)";
  // Only the first open that succeeds is kept; a declined one reads the
  // environment again.
  const struct {
    const char* currentDesktop;
    std::string bus;
    std::string reason;
  } cases[] = {
      {"sway", none, "XDG_CURRENT_DESKTOP is \"sway\", not GNOME"},
      {"KDE:GNOME-Classic", address, "XDG_CURRENT_DESKTOP is \"KDE:GNOME-Classic\", not GNOME"},
      {"GNOME", none, "cannot connect to the session bus \"" + none + "\": No such file or directory"},
      {"ubuntu:GNOME", address, noShell},
      {nullptr, none,
       "XDG_CURRENT_DESKTOP is not set and there is no session bus (cannot connect to the session bus \"" + none +
           "\": No such file or directory)"},
      {nullptr, address, "XDG_CURRENT_DESKTOP is not set and " + noShell},
  };
  for (const auto& c : cases) {
    const ScopedVariable desktop("XDG_CURRENT_DESKTOP", c.currentDesktop);
    const ScopedVariable bus("DBUS_SESSION_BUS_ADDRESS", c.bus.c_str());
    DesktopBackend backend;
    std::string reason;
    EXPECT_FALSE(OpenGnomeDesktop(backend, reason));
    EXPECT_EQ(reason, c.reason);
  }
}

TEST(GnomeDesktop, ASessionThatDoesNotNameItsDesktopIsGnomesWhenGnomeShellIsOnItsBus) {
  TOLM_REQUIRE_GNOME();
  const ScopedVariable desktop("XDG_CURRENT_DESKTOP", nullptr);
  DesktopBackend backend;
  std::string reason;
  EXPECT_TRUE(OpenGnomeDesktop(backend, reason)) << reason;
}

TEST(GnomeDesktop, WindowsAreFoundByTitleAndClassAndGoneOnesAreHarmless) {
  TOLM_REQUIRE_GNOME();
  InstallGnomeDesktop();
  const std::string title = UniqueTitle("find") + " \"q\" \xC3\xA9\\";
  std::optional<WaylandTestWindow> window;
  window.emplace(title, std::vector<std::string>{"--app-id", "TolmFind", "--many", "2"});
  ASSERT_TRUE(WaitUntil([&] { return FindWindows(title + "*", "*") == 3; }));
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

TEST(GnomeDesktop, ActivationDecidesWhichWindowGetsTheKeys) {
  TOLM_REQUIRE_GNOME();
  SetInputSources("us");
  InstallGnomeDesktop();
  WaylandTestWindow one(UniqueTitle("one"));
  WaylandTestWindow two(UniqueTitle("two"));
  // Both shown: GNOME Shell gives a window the focus when it shows it.
  const WindowHandle first = ListedWindow(one.Title());
  const WindowHandle second = ListedWindow(two.Title());
  WindowActivate(first);
  SendKeys("1");
  WindowActivate(second);
  SendKeys("2");
  WindowActivate(first);
  SendKeys("3");
  EXPECT_TRUE(WaitUntil([&] { return one.LogLines().size() >= 2 && two.LogLines().size() >= 1; }));
  EXPECT_EQ(one.LogLines(), (std::vector<std::string>{"1", "3"}));
  EXPECT_EQ(two.LogLines(), (std::vector<std::string>{"2"}));
  // The focused window comes first in a search, then the one below it.
  FindWindows("*", "*");
  ASSERT_GE(FoundTitles().size(), 2u);
  EXPECT_EQ(FoundTitles()[0], one.Title());
  EXPECT_EQ(FoundTitles()[1], two.Title());
}

TEST(GnomeDesktop, AKeyStringHasArrivedWhenTheNextCommandEndsItsWindow) {
  TOLM_REQUIRE_GNOME();
  SetInputSources("us");
  InstallGnomeDesktop();
  // Mutter passes keys on a frame later: a key string must have reached the
  // window before /killwindow (SIGTERM) ends it.
  for (int i = 0; i < 8; ++i) {
    WaylandTestWindow window(UniqueTitle("last"));
    const WindowHandle handle = ListedWindow(window.Title());
    WindowActivate(handle);
    SendKeys("k");
    WindowQuit(handle);
    EXPECT_EQ(window.WaitExit(), 128 + SIGTERM);
    EXPECT_EQ(window.LogLines(), (std::vector<std::string>{"k"})) << "window " << i;
  }
}

TEST(GnomeDesktop, CloseAsksTheWindowAndKillWindowEndsItsProgram) {
  TOLM_REQUIRE_GNOME();
  InstallGnomeDesktop();
  WaylandTestWindow closing(UniqueTitle("close"));
  WaylandTestWindow ending(UniqueTitle("end"));
  WindowClose(ListedWindow(closing.Title()));
  EXPECT_EQ(closing.WaitExit(), 0);  // the test window ends with 0 on a close request
  WindowQuit(ListedWindow(ending.Title()));
  EXPECT_EQ(ending.WaitExit(), 128 + SIGTERM);
  EXPECT_TRUE(WaitUntil([&] { return FindWindowByTitle(ending.Title()) == kNoWindow; }));
}

TEST(GnomeDesktop, ASwitchedOffExtensionFailsWindowCommandsWithWhatToRunUntilItIsBack) {
  TOLM_REQUIRE_GNOME();
  InstallGnomeDesktop();
  WaylandTestWindow window(UniqueTitle("off"));
  ASSERT_NE(ListedWindow(window.Title()), kNoWindow);
  {
    const ExtensionDisabled off;
    try {
      FindWindowByTitle(window.Title());
      ADD_FAILURE() << "found without the extension";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), "Window commands on GNOME need tolm32's GNOME Shell extension tolm@tolm.example, which "
                             "is not enabled: run gnome-extensions enable tolm@tolm.example");
    }
  }
  EXPECT_NE(FindWindowByTitle(window.Title()), kNoWindow);
}

TEST(GnomeDesktop, AnExtensionGnomeShellDoesNotKnowIsReportedAsNotInstalled) {
  TOLM_REQUIRE_GNOME();
  std::string reason;
  std::unique_ptr<DbusConnection> bus = DbusConnection::OpenSession(kShellAnswerTime, reason);
  ASSERT_TRUE(bus) << reason;
  char exe[PATH_MAX] = {};
  ASSERT_GT(readlink("/proc/self/exe", exe, sizeof exe - 1), 0);
  const std::string dir = std::string(exe).substr(0, std::string(exe).rfind('/'));
  ShellExtension unknown(*bus, "nonexistent@tolm.example");
  EXPECT_EQ(unknown.Status().state, ExtensionState::kUnknown);
  EXPECT_EQ(ShellExtension(*bus).Status().state, ExtensionState::kEnabled);
  // The calls go to the extension's object whatever the uuid; once it does
  // not answer, the uuid decides what GNOME Shell is asked about.
  const ExtensionDisabled off;
  try {
    unknown.List();
    ADD_FAILURE() << "listed without the extension";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Window commands on GNOME need tolm32's GNOME Shell extension nonexistent@tolm.example, "
                           "which is not installed (" + dir + "/../share/gnome-shell/extensions/"
                           "nonexistent@tolm.example is missing): install tolm32 with cmake --install, log out and in "
                           "again once (GNOME Shell on Wayland finds new extensions only at login), then run "
                           "gnome-extensions enable nonexistent@tolm.example");
  }
}

}  // namespace
}  // namespace tolm::testing
