// Command files run by tolm32 against real test windows: wait for a window,
// activate it, type into it, close it, wait for it to go; end one with
// /killwindow. The typed keys are compared with what the window received.
#include <gtest/gtest.h>

#include "support/run_tolm.h"
#include "x11_test_support.h"

namespace tolm::testing {
namespace {

TEST(X11EndToEnd, WaitActivateTypeCloseAndWaitClose) {
  TempDir dir;
  const std::string title = UniqueTitle("e2e");
  const std::string log = dir.File("keys.log");
  std::string script =
      "\"" TOLM_TESTWIN "\" \"--title\" \"" + title + "\" \"--class\" TolmE2E \"--log\" \"" + log + "\"\n"
      "/waitfor " + title + "\n"
      "/activate " + title + "\n"
      "/sendkeys Hi, +tolm{TAB 2}^a%(fx)~{F5}\n"
      "/close " + title + "\n"
      "/waitclose " + title + "\n"
      "/waitall\n"
      "/if errorlevel() ne 0 {\n  /pause the window did not end cleanly\n}\n";
  RunResult r = RunTolm({"--console", dir.Write("e2e.tm", "/set waitinternval=20\n" + script)}, dir.path());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(ReadFileText(log),
            "Shift_L\nH\ni\n,\n \nShift_L\nT\no\nl\nm\nTab\nTab\nControl_L\nC-a\nAlt_L\nM-f\nM-x\nReturn\nF5\n");
}

TEST(X11EndToEnd, KillWindowEndsTheProgramAndMissingWindowsAreReported) {
  TempDir dir;
  const std::string title = UniqueTitle("e2ekill");
  std::string script =
      "/set waitinternval=20\n"
      "\"" TOLM_TESTWIN "\" \"--title\" \"" + title + "\" \"--class\" TolmE2E\n"
      "/waitfor " + title + "\n"
      "/killwindow " + title + "\n"
      "/waitclose " + title + "\n"
      "/waitall\n"
      "/if errorlevel() eq 0 {\n  /pause a killed client should not end cleanly\n}\n"
      "/activate /warn " + title + "\n"
      "/close " + title + "\n";
  RunResult r = RunTolm({"--console", dir.Write("kill.tm", script)}, dir.path());
  EXPECT_EQ(r.status, 1);
  // The killed test window's own Xlib complaint may come first on the shared stream.
  const std::string expected =
            "/activate could not find \"" + title + "\" window\n"
            "TOLM32: ERROR: The following command: \n@ \"" + dir.File("kill.tm") + "\"\n"
            "Failed with the following error(s):\n"
            "ERROR: The following command: \n/close " + title + "\n"
            "Failed with the following error(s):\n"
            "/close could not find \"" + title + "\" window\n";
  ASSERT_GE(r.err.size(), expected.size()) << r.err;
  EXPECT_EQ(r.err.substr(r.err.size() - expected.size()), expected);
}

}  // namespace
}  // namespace tolm::testing
