// Command files run by tolm32 itself in a real headless KWin session, as a
// user runs them: the tolm32 that cmake --install put below TOLM_KDE_PREFIX,
// authorised for KWin's fake input by the tolm32-kde.desktop file it
// installed. They wait for the Wayland test window, activate it, type into
// it, list, close and wait for windows; what the windows received is
// compared exactly, first key included, and so is every failure.
#include <gtest/gtest.h>

#include <signal.h>

#include <algorithm>
#include <chrono>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "kde_test_support.h"
#include "wayland_test_support.h"

namespace tolm::testing {
namespace {

using Lines = std::vector<std::string>;

// The whole failure of a command file whose command failed with message.
std::string FileFailure(const std::string& file, const std::string& command, const std::string& message) {
  return "TOLM32: ERROR: The following command: \n@ \"" + file + "\"\nFailed with the following error(s):\n" +
         "ERROR: The following command: \n" + command + "\nFailed with the following error(s):\n" + message + "\n";
}

// The lines of text that contain part.
Lines LinesWith(const std::string& text, const std::string& part) {
  Lines found;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (line.find(part) != std::string::npos) found.push_back(line);
  }
  return found;
}

// The session's layout in use, by number (0: the first).
std::string LayoutInUse() {
  return RunProgram("/usr/bin/qdbus", {"org.kde.keyboard", "/Layouts", "getLayout"}).out;
}

// In a KDE session whose KWin cannot be reached, with no X display either,
// the first window command says what each desktop lacks.
TEST(KdeEndToEnd, WithoutKWinOrAnXDisplayTheCommandSaysWhatEachDesktopLacks) {
  // The session bus as env sets it: "-u NAME" removes a variable, "NAME=value" sets one.
  const struct {
    std::vector<std::string> bus;
    std::string reason;
  } cases[] = {
      {{"DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/bus"},
       "cannot connect to the session bus \"unix:path=/nonexistent/bus\": No such file or directory"},
      {{"-u", "DBUS_SESSION_BUS_ADDRESS", "-u", "XDG_RUNTIME_DIR"},
       "there is no session bus (neither DBUS_SESSION_BUS_ADDRESS nor XDG_RUNTIME_DIR is set)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reason);
    std::vector<std::string> args{"-u", "DISPLAY"};  // env takes the removals first
    args.insert(args.end(), c.bus.begin(), c.bus.end());
    args.insert(args.end(), {"XDG_CURRENT_DESKTOP=KDE", "WAYLAND_DISPLAY=/nonexistent/wayland-9"});
    args.insert(args.end(), {TOLM_BINARY, "--console", "/activate x*"});
    const RunResult run = RunProgram("/usr/bin/env", args);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "TOLM32: ERROR: The following command: \n/activate x*\nFailed with the following error(s):\n"
                       "Cannot reach the windows of this session: KDE: " + c.reason + "; Wayland: cannot connect to "
                       "the compositor \"/nonexistent/wayland-9\": No such file or directory; X11: DISPLAY is not set\n");
  }
}

TEST(KdeEndToEnd, AFreshRunTypesEveryCharacterFromItsFirstKeyInTheLayoutsThatHaveIt) {
  TOLM_REQUIRE_KWIN();
  const std::string tolm = InstalledTolm();
  SetKeyboardLayouts("us,de,ru");
  TempDir dir;
  const RunResult run = RunCommandFile(tolm, "keys.tm", {"TITLE=" + UniqueTitle("keys"), "LOG=" + dir.File("keys.log"),
                                                         "DEBUGLOG=" + dir.File("debug.log")});
  const std::string layout = LayoutInUse();
  SetKeyboardLayouts("us");
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_EQ(run.err, "");
  const Lines expected{"Shift_L", "H",     "i",   " ",   "Shift_L", "A",    "Control_L", "C-a", "C-b",
                       "Alt_L",   "M-f",   "Tab", "Tab", "x",       "x",    "x",         "Left",
                       "\xC3\xA4", "Shift_L", "\xC3\x96", "ISO_Level3_Shift", "\xE2\x82\xAC",  // äÖ€ (de)
                       "Shift_L", "\xD0\x96",                                                    // Ж (ru)
                       "Shift_L", "+",     "Return"};
  EXPECT_EQ(ReadLines(dir.File("keys.log")), expected);
  EXPECT_EQ(layout, "0\n") << "the layout in use before the key string";
  const Lines log = ReadLines(dir.File("debug.log"));
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front(), "Desktop: KDE (WAYLAND_DISPLAY is set)\r");  // the log's lines end in CR LF
}

TEST(KdeEndToEnd, KeysGoToTheWindowActivatedLastWhichTheListShowsFirstAndBothWindowsClose) {
  TOLM_REQUIRE_KWIN();
  const std::string tolm = InstalledTolm();
  SetKeyboardLayouts("us");
  TempDir dir;
  const std::string title = UniqueTitle("two");
  const RunResult run =
      RunCommandFile(tolm, "windows.tm", {"TITLE=" + title, "LOG=" + dir.File("one.log"), "LOG2=" + dir.File("two.log")});
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(ReadLines(dir.File("one.log")), (Lines{"1", "3"}));
  EXPECT_EQ(ReadLines(dir.File("two.log")), (Lines{"2"}));
  EXPECT_EQ(LinesWith(run.out, title), (Lines{title + " two", title + " one", title + " one", title + " two"}));
}

TEST(KdeEndToEnd, AMissedPatternFailsWithTheCommandsOwnText) {
  TOLM_REQUIRE_KWIN();
  const std::string tolm = InstalledTolm();
  TempDir dir;
  const std::string title = UniqueTitle("absent");
  const std::string file = dir.Write("missed.tm", "/waitclose " + title + "\n/activate /warn " + title + "*\n/close " +
                                                      title + "\n/sendkeys never\n");
  const RunResult run = RunCommandFile(tolm, file);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "/activate could not find \"" + title + "*\" window\n" +
                         FileFailure(file, "/close " + title, "/close could not find \"" + title + "\" window"));
}

TEST(KdeEndToEnd, ACharacterNoLayoutHasFailsTheKeyStringBeforeItsFirstKey) {
  TOLM_REQUIRE_KWIN();
  const std::string tolm = InstalledTolm();
  SetKeyboardLayouts("us");
  WaylandTestWindow window(UniqueTitle("lacks"));
  TempDir dir;
  const std::string file =
      dir.Write("lacks.tm", "/activate " + window.Title() + "\n/sendkeys ab\xE6\x97\xA5" "c\n/sendkeys never\n");
  const RunResult run = RunCommandFile(tolm, file);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, FileFailure(file, "/sendkeys ab\xE6\x97\xA5" "c",
                                 "The keyboard layout of this KDE Plasma session has no key for \"\xE6\x97\xA5\": KWin "
                                 "lets programs type only what the layout has, so nothing was typed"));
  EXPECT_EQ(window.LogLines(), Lines{});
}

// The program as built, which no .desktop file names: its window commands
// work, its keys are refused with what to install.
TEST(KdeEndToEnd, AProgramKWinDoesNotLetTypeSaysWhatToInstall) {
  TOLM_REQUIRE_KWIN();
  WaylandTestWindow window(UniqueTitle("refused"));
  TempDir dir;
  const std::string file = dir.Write("refused.tm", "/activate " + window.Title() + "\n/sendkeys x\n");
  const RunResult run = RunCommandFile(TOLM_BINARY, file);
  const std::string program = TOLM_BINARY;
  const std::string folder = program.substr(0, program.rfind('/'));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, FileFailure(file, "/sendkeys x",
                                 "KWin does not let " + program + " type keys: that needs a .desktop file with Exec=" +
                                     program + " and X-KDE-Wayland-Interfaces=org_kde_kwin_fake_input, and " + folder +
                                     "/../share/applications/tolm32-kde.desktop is missing. Install tolm32 with cmake "
                                     "--install, then run kbuildsycoca5 as the session's user"));
  EXPECT_EQ(window.LogLines(), Lines{});
}

// A diagnostic log that cannot be written fails the key command with the
// log's reason, as on X11 and sway.
TEST(KdeEndToEnd, ADebugLogThatCannotBeWrittenFailsTheKeyCommandWithItsReason) {
  TOLM_REQUIRE_KWIN();
  const std::string tolm = InstalledTolm();
  TempDir dir;
  const std::string file = dir.Write("log.tm", "/set debug=\"/nonexistent-dir/x.log\"\n/sendkeys \"a\"\n");
  const RunResult run = RunCommandFile(tolm, file);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, FileFailure(file, "/sendkeys \"a\"", "Cannot open file /nonexistent-dir/x.log: No such file or directory"));
}

TEST(KdeEndToEnd, ACloseRequestEndsAHugeRepeatAtOnceLeavingNoKeyPressed) {
  TOLM_REQUIRE_KWIN();
  const std::string tolm = InstalledTolm();
  SetKeyboardLayouts("us");
  WaylandTestWindow window(UniqueTitle("repeat"), {"--releases", "yes"});
  TempDir dir;
  const std::string file = dir.Write("big.tm", "/activate " + window.Title() + "\n/sendkeys \"+{x 2147483647}\"\n");
  RunningProgram run(tolm, {"--console", file});
  ASSERT_TRUE(WaitUntil([&] { return window.LogLines().size() >= 1000; }, 10s));
  const auto asked = std::chrono::steady_clock::now();
  run.Signal(SIGTERM);
  EXPECT_EQ(run.Wait(2000).status, 143);
  EXPECT_LT(std::chrono::steady_clock::now() - asked, 1s);
  // SHIFT went down first and came up last; in between only X pressed and
  // released, the last X released too.
  ASSERT_TRUE(WaitUntil([&] { return window.LogLines().back() == "up Shift_L"; }))
      << window.LogLines().size() << " lines, the last " << window.LogLines().back();
  const Lines lines = window.LogLines();
  EXPECT_EQ(lines.front(), "Shift_L");
  for (size_t i = 1; i + 1 < lines.size(); ++i) {
    ASSERT_EQ(lines[i], i % 2 == 1 ? "X" : "up X") << "line " << i;
  }
  EXPECT_EQ(lines.size() % 2, 0u) << "an X pressed and not released";
}

// KWin's objects of our scripts (Plasma 5: "/<number>"), from its object tree.
Lines ScriptObjects() {
  const RunResult r = RunProgram("/usr/bin/qdbus", {"org.kde.KWin"});
  Lines found;
  static const std::regex scriptObject("^/[0-9]+$");
  std::istringstream lines(r.out);
  for (std::string line; std::getline(lines, line);) {
    if (std::regex_match(line, scriptObject)) found.push_back(line);
  }
  return found;
}

TEST(KdeEndToEnd, ACloseRequestEndsAWaitForAWindowAtOnceAndLeavesNoScriptInKWin) {
  TOLM_REQUIRE_KWIN();
  const std::string tolm = InstalledTolm();
  TempDir dir;
  const std::string file = dir.Write("wait.tm", "/set waitinternval=0\n/waitfor " + UniqueTitle("never") + "\n");
  RunningProgram run(tolm, {"--console", file});
  // Some searches, each a script in KWin, have run by then.
  ASSERT_TRUE(run.WaitUntilBlocked(SIGTERM));
  std::this_thread::sleep_for(500ms);
  const auto asked = std::chrono::steady_clock::now();
  run.Signal(SIGTERM);
  EXPECT_EQ(run.Wait(2000).status, 143);
  EXPECT_LT(std::chrono::steady_clock::now() - asked, 1s);
  const bool unloaded = WaitUntil([] { return ScriptObjects().empty(); }, 2s);
  EXPECT_TRUE(unloaded) << ScriptObjects().size() << " scripts left, the first " << ScriptObjects().front();
}

}  // namespace
}  // namespace tolm::testing
