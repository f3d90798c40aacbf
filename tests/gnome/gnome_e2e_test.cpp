// Command files run by the installed tolm32 (cmake --install, with the
// extension it installs enabled in GNOME Shell) against a real headless
// gnome-shell with native windows only: waiting, activation deciding which
// window gets the keys, exact characters from the first key of a fresh run,
// close, killwindow and waitclose, /wlist, a missed pattern, a close request
// in a huge repeat, the extension switched off, the diagnostic line naming
// the desktop, and a diagnostic log that cannot be written.
#include <gtest/gtest.h>

#include <signal.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "gnome_test_support.h"
#include "wayland_test_support.h"

namespace tolm::testing {
namespace {

using Lines = std::vector<std::string>;

std::string GnomeScript(const std::string& name) { return std::string(TOLM_GNOME_SCRIPTS) + "/" + name; }

// The failure of a run of script whose command failed with message.
std::string Failure(const std::string& script, const std::string& command, const std::string& message) {
  return "TOLM32: ERROR: The following command: \n@ \"" + script + "\"\nFailed with the following error(s):\n"
         "ERROR: The following command: \n" + command + "\nFailed with the following error(s):\n" + message + "\n";
}

TEST(GnomeEndToEnd, AFreshRunTypesAKeyStringExactlyFromItsFirstKey) {
  TOLM_REQUIRE_GNOME();
  TOLM_REQUIRE_INSTALLED_TOLM();
  SetInputSources("us,de,ru");
  TempDir dir;
  const RunResult run =
      RunInstalledScript(GnomeScript("keys.tm"), {"TITLE=" + UniqueTitle("keys"), "LOG=" + dir.File("keys.log")});
  SetInputSources("us");
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  const Lines expected{"Shift_L", "H",   "i",   " ", "Shift_L", "A",       "Control_L", "C-a",
                       "C-b",     "Alt_L", "M-f", "Tab", "Tab",   "x",       "x",         "x",
                       "Left",    "ä",   "Shift_L", "Ö", "ISO_Level3_Shift", "€", "Shift_L", "Ж",
                       "Shift_L", "+",   "Return"};
  EXPECT_EQ(ReadLines(dir.File("keys.log")), expected);
}

TEST(GnomeEndToEnd, KeysGoToTheWindowActivatedLastAndBothWindowsClose) {
  TOLM_REQUIRE_GNOME();
  TOLM_REQUIRE_INSTALLED_TOLM();
  SetInputSources("us");
  TempDir dir;
  const RunResult run = RunInstalledScript(std::string(TOLM_WAYLAND_SCRIPTS) + "/windows.tm",
                                           {"TITLE=" + UniqueTitle("two"), "LOG=" + dir.File("one.log"),
                                            "LOG2=" + dir.File("two.log")});
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_EQ(ReadLines(dir.File("one.log")), (Lines{"1", "3"}));
  EXPECT_EQ(ReadLines(dir.File("two.log")), (Lines{"2"}));
}

TEST(GnomeEndToEnd, WlistListsTheFocusedWindowFirst) {
  TOLM_REQUIRE_GNOME();
  TOLM_REQUIRE_INSTALLED_TOLM();
  const std::string title = UniqueTitle("wlist");
  const RunResult run = RunInstalledScript(GnomeScript("wlist.tm"), {"TITLE=" + title});
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_EQ(run.out, title + " one\n" + title + " two\n");
}

TEST(GnomeEndToEnd, AWindowNoPatternMatchesIsReported) {
  TOLM_REQUIRE_GNOME();
  TOLM_REQUIRE_INSTALLED_TOLM();
  TempDir dir;
  const std::string title = UniqueTitle("missed");
  const std::string script = dir.Write("missed.tm", "/waitclose " + title + "*\n/activate /warn " + title + "*\n"
                                                    "/close " + title + "\n");
  const RunResult run = RunInstalledScript(script, {});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "/activate could not find \"" + title + "*\" window\n" +
                         Failure(script, "/close " + title, "/close could not find \"" + title + "\" window"));
}

TEST(GnomeEndToEnd, ACloseRequestEndsAHugeRepeatAtOnceLeavingNoKeyPressed) {
  TOLM_REQUIRE_GNOME();
  TOLM_REQUIRE_INSTALLED_TOLM();
  SetInputSources("us");
  WaylandTestWindow window(UniqueTitle("repeat"), {"--releases", "yes"});
  TempDir dir;
  const std::string script =
      dir.Write("big.tm", "/waitfor " + window.Title() + "\n/activate " + window.Title() +
                              "\n/sendkeys \"+{x 2147483647}\"\n");
  RunningProgram tolm(InstalledTolm(), {"--console", script});
  ASSERT_TRUE(WaitUntil([&] { return window.LogLines().size() >= 1000; }, 10s));
  const auto asked = std::chrono::steady_clock::now();
  tolm.Signal(SIGTERM);
  EXPECT_EQ(tolm.Wait(2000).status, 143);
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

TEST(GnomeEndToEnd, WithTheExtensionSwitchedOffAWindowCommandSaysWhatToRun) {
  TOLM_REQUIRE_GNOME();
  TOLM_REQUIRE_INSTALLED_TOLM();
  WaylandTestWindow window(UniqueTitle("off"));
  TempDir dir;
  const std::string script = dir.Write("off.tm", "/activate " + window.Title() + "\n");
  const ExtensionDisabled off;
  const RunResult run = RunInstalledScript(script, {});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, Failure(script, "/activate " + window.Title(),
                             "Window commands on GNOME need tolm32's GNOME Shell extension tolm@tolm.example, which is "
                             "not enabled: run gnome-extensions enable tolm@tolm.example"));
}

TEST(GnomeEndToEnd, TheDiagnosticLogNamesTheDesktopAndWhy) {
  TOLM_REQUIRE_GNOME();
  TOLM_REQUIRE_INSTALLED_TOLM();
  TempDir dir;
  const std::string log = dir.File("debug.log");
  const std::string script = dir.Write("log.tm", "/set debug=\"" + log + "\"\n/waitclose no such window*\n");
  const RunResult run = RunInstalledScript(script, {});
  EXPECT_EQ(run.status, 0) << run.err;
  const Lines lines = ReadLines(log);
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Desktop: GNOME (WAYLAND_DISPLAY is set)\r"), lines.end());
}

// A diagnostic log that cannot be written fails the key command (the GNOME
// module logs through the program) with the log's reason, as on X11.
TEST(GnomeEndToEnd, ADebugLogThatCannotBeWrittenFailsTheKeyCommandWithItsReason) {
  TOLM_REQUIRE_GNOME();
  TOLM_REQUIRE_INSTALLED_TOLM();
  TempDir dir;
  const std::string script = dir.Write("log.tm", "/set debug=\"/nonexistent-dir/x.log\"\n/sendkeys \"a\"\n");
  const RunResult run = RunInstalledScript(script, {});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, Failure(script, "/sendkeys \"a\"", "Cannot open file /nonexistent-dir/x.log: No such file or directory"));
}

}  // namespace
}  // namespace tolm::testing
