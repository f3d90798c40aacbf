// The command files of tests/wayland/scripts run through the interpreter on
// the Wayland backend against a real compositor: they start the Wayland test
// window, wait for it, activate it, type into it, close it and wait for it
// to go. What the window received is compared exactly, first key included.
#include <gtest/gtest.h>

#include <signal.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "support/scoped_variable.h"
#include "wayland_test_support.h"

namespace tolm::testing {
namespace {

using Lines = std::vector<std::string>;

TEST(WaylandEndToEnd, AFreshRunTypesAKeyStringExactlyFromItsFirstKey) {
  TOLM_REQUIRE_COMPOSITOR();
  TempDir dir;
  const RunResult run = RunScript("keys.tm", {"TITLE=" + UniqueTitle("keys"), "LOG=" + dir.File("keys.log")});
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  const Lines expected{"Shift_L", "H", "i", " ",   "Shift_L", "A", "Control_L", "C-a", "C-b",
                       "Alt_L",   "M-f", "Tab", "Tab", "x", "x", "x", "Left", "ä", "Shift_L", "Ö",
                       "€", "Shift_L", "Ж", "日", "+", "Return"};
  EXPECT_EQ(ReadLines(dir.File("keys.log")), expected);
}

TEST(WaylandEndToEnd, KeysGoToTheWindowActivatedLastAndBothWindowsClose) {
  TOLM_REQUIRE_COMPOSITOR();
  TempDir dir;
  const RunResult run = RunScript("windows.tm", {"TITLE=" + UniqueTitle("two"), "LOG=" + dir.File("one.log"),
                                                 "LOG2=" + dir.File("two.log")});
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_EQ(ReadLines(dir.File("one.log")), (Lines{"1", "3"}));
  EXPECT_EQ(ReadLines(dir.File("two.log")), (Lines{"2"}));
}

// "U+4E00" and on as UTF-8 text, count characters.
std::string HanCharacters(char32_t first, int count) {
  std::string text;
  for (char32_t c = first; c < first + static_cast<char32_t>(count); ++c) {
    text += {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
             static_cast<char>(0x80 | (c & 0x3F))};
  }
  return text;
}

TEST(WaylandEndToEnd, LongStringsArriveWhole) {
  TOLM_REQUIRE_COMPOSITOR();
  Lines expected(2000, "y");
  const std::string han = HanCharacters(0x4E00, 80);
  for (size_t i = 0; i < han.size(); i += 3) expected.push_back(han.substr(i, 3));
  TempDir dir;
  const RunResult run = RunScript("long.tm", {"TITLE=" + UniqueTitle("long"), "LOG=" + dir.File("keys.log")});
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_EQ(ReadLines(dir.File("keys.log")), expected);
}

TEST(WaylandEndToEnd, ACloseRequestEndsAHugeRepeatAtOnceLeavingNoKeyPressed) {
  TOLM_REQUIRE_COMPOSITOR();
  WaylandTestWindow window(UniqueTitle("repeat"), {"--releases", "yes"});
  TempDir dir;
  const std::string script =
      dir.Write("big.tm", "/activate " + window.Title() + "\n/sendkeys \"+{x 2147483647}\"\n");
  RunningProgram tolm(TOLM_BINARY, {"--console", script});
  ASSERT_TRUE(WaitUntil([&] { return window.LogLines().size() >= 1000; }));
  const auto asked = std::chrono::steady_clock::now();
  tolm.Signal(SIGTERM);
  EXPECT_EQ(tolm.Wait(2000).status, 143);
  EXPECT_LT(std::chrono::steady_clock::now() - asked, 500ms);
  // SHIFT went down first and came up last; in between only X pressed and
  // released, the last X released too.
  ASSERT_TRUE(WaitUntil([&] { return window.LogLines().back() == "up Shift_L"; }));
  const Lines lines = window.LogLines();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines.front(), "Shift_L");
  for (size_t i = 1; i + 1 < lines.size(); ++i) {
    ASSERT_EQ(lines[i], i % 2 == 1 ? "X" : "up X") << "line " << i;
  }
  EXPECT_EQ(lines.size() % 2, 0u) << "an X pressed and not released";
}

// A diagnostic log that cannot be written fails the key command (the Wayland
// module logs through the program) with the log's reason, as on X11: no
// failure may unwind from the program's runtime into the module's.
TEST(WaylandEndToEnd, ADebugLogThatCannotBeWrittenFailsTheKeyCommandWithItsReason) {
  TOLM_REQUIRE_COMPOSITOR();
  TempDir dir;
  const std::string script = dir.Write("log.tm", "/set debug=\"/nonexistent-dir/x.log\"\n/sendkeys \"a\"\n");
  const RunResult run = RunProgram(TOLM_BINARY, {"--console", script});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "TOLM32: ERROR: The following command: \n@ \"" + script +
                         "\"\nFailed with the following error(s):\n"
                         "ERROR: The following command: \n/sendkeys \"a\"\nFailed with the following error(s):\n"
                         "Cannot open file /nonexistent-dir/x.log: No such file or directory\n");
}

TEST(WaylandEndToEnd, WithoutAUsableCompositorOrAnXDisplayTheCommandSaysWhyForEach) {
  TempDir dir;
  const std::string script = dir.Write("x.tm", "/sendkeys x\n");
  const ScopedVariable wayland("WAYLAND_DISPLAY", "/nonexistent/wayland-9");
  const ScopedVariable display("DISPLAY", nullptr);
  const ScopedVariable desktop("XDG_CURRENT_DESKTOP", "sway");
  const RunResult run = RunProgram(TOLM_BINARY, {"--console", script});
  EXPECT_EQ(run.status, 1) << run.out << run.err;
  EXPECT_NE(run.err.find("Cannot reach the windows of this session: Wayland: cannot connect to the compositor "
                         "\"/nonexistent/wayland-9\": No such file or directory; X11: DISPLAY is not set\n"),
            std::string::npos)
      << run.err;
}

TEST(WaylandEndToEnd, WithoutAUsableCompositorTheRunFallsBackToX11AndSaysSo) {
  TempDir dir;
  const std::string log = dir.File("debug.log");
  const std::string script = dir.Write("x.tm", "/set debug=\"" + log + "\"\n/sendkeys x\n");
  // The child takes the first entry of a name, so the session's own are
  // replaced here for the run, not added.
  const ScopedVariable wayland("WAYLAND_DISPLAY", "/nonexistent/wayland-9");
  const ScopedVariable display("DISPLAY", ":9999");  // an X display the fallback cannot reach either
  const RunResult run = RunProgram(TOLM_BINARY, {"--console", script});
  EXPECT_EQ(run.status, 1) << run.out << run.err;
  EXPECT_NE(run.err.find("Cannot open display: keystrokes need an X display"), std::string::npos) << run.err;
  const Lines lines = ReadLines(log);
  const std::string note =
      "Wayland session (WAYLAND_DISPLAY is set), but its desktop module cannot be used (cannot connect to the "
      "compositor \"/nonexistent/wayland-9\": No such file or directory): using X11, so windows of native Wayland "
      "programs are out of reach\r";  // the log's lines end in CR LF
  EXPECT_NE(std::find(lines.begin(), lines.end(), note), lines.end()) << run.err;
}

}  // namespace
}  // namespace tolm::testing
