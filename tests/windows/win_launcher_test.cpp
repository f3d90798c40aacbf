// Starting programs through the shell and waiting for them, for real.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "services/core/sys_error.h"
#include "services/core/errors.h"
#include "services/seams/exit_status.h"
#include "services/seams/programs.h"
#include "services/seams/show_mode.h"
#include "services/platform/windows/win_launcher.h"
#include "services/platform/windows/win_platform.h"
#include "support/run_tolm.h"
#include "win_test_support.h"

namespace tolm {
namespace {

using testing::TempDir;
using wintest::HelperPath;

class WinLauncherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallWindowsPlatform();
    LastExitCode = 0;
  }
};

TEST_F(WinLauncherTest, AWaitedProgramLeavesItsExitCode) {
  EXPECT_EQ(StartProgram(HelperPath(), "exit 5", "", kShowNormal | kLaunchWait | kLaunchRaise), 0);
  EXPECT_EQ(LastExitCode, 5u);
  EXPECT_EQ(StartProgram("\"" + HelperPath() + "\"", "sleep 100 0", "", kShowNormal | kLaunchWait | kLaunchRaise), 0);
  EXPECT_EQ(LastExitCode, 0u);
  EXPECT_EQ(StartedProcessCount(), 0u);
}

TEST_F(WinLauncherTest, TheShowModeReachesTheStartedProgram) {
  TempDir dir;
  for (int mode : {kShowHide, kShowMaximized, kShowNormal, kShowMinimized, kShowMinNoActivate}) {
    const std::string file = dir.File("mode" + std::to_string(mode));
    ASSERT_EQ(StartProgram(HelperPath(), "showmode " + file, "", static_cast<uint32_t>(mode) | kLaunchWait), 0);
    EXPECT_EQ(testing::ReadFileText(file), std::to_string(mode));
  }
}

TEST_F(WinLauncherTest, TheDirectoryIsTheProgramsCurrentDirectory) {
  TempDir dir;
  ASSERT_EQ(StartProgram(HelperPath(), "showmode here.txt", dir.path(), kShowNormal | kLaunchWait), 0);
  EXPECT_EQ(dir.Read("here.txt"), "5");
}

TEST_F(WinLauncherTest, WaitAllCollectsMoreThanSixtyFourProgramsAndKeepsTheLastNonZeroCode) {
  constexpr int kPrograms = 65;
  for (int i = 0; i < kPrograms; ++i) {
    // Codes 0 except for three of them; the last non-zero in start order wins.
    const int code = i == 3 ? 4 : i == 40 ? 9 : i == 61 ? 2 : 0;
    ASSERT_EQ(StartProgram(HelperPath(), "sleep 200 " + std::to_string(code), "", kShowNormal | kLaunchRaise), 0);
  }
  EXPECT_EQ(StartedProcessCount(), static_cast<size_t>(kPrograms));
  WaitForAllProcesses();
  EXPECT_EQ(LastExitCode, 2u);
  EXPECT_EQ(StartedProcessCount(), 0u);
}

TEST_F(WinLauncherTest, AStartFailureCarriesTheSystemsReason) {
  try {
    StartProgram("\"no-such-program-tolm.exe\"", "", "", kShowNormal | kLaunchRaise);
    FAIL() << "no failure";
  } catch (const ESystemError& e) {
    EXPECT_EQ(e.Message(), "Could not start application \"\"no-such-program-tolm.exe\"\"\r\n" + SysErrorText(2));
  }
}

TEST(WinChildTest, AStartWithoutAProcessCannotBeWaitedFor) {
  WinChild child(nullptr);
  EXPECT_EQ(child.Id(), 0u);
  const ExitStatus status = child.WaitForExit();
  EXPECT_FALSE(status.ok);
  EXPECT_EQ(status.error, ERROR_INVALID_HANDLE);
}

}  // namespace
}  // namespace tolm
