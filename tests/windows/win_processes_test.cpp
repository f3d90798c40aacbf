// Listing and ending processes on Windows, on both ways of listing them.
#include <gtest/gtest.h>

#include <algorithm>

#include "services/seams/process_api.h"
#include "services/seams/processes.h"
#include "services/core/text.h"
#include "services/platform/windows/win_launcher.h"
#include "services/platform/windows/win_platform.h"
#include "services/platform/windows/win_processes.h"
#include "win_test_support.h"

namespace tolm {
namespace {

using wintest::HelperPath;

bool Lists(WinProcesses& processes, uint32_t id) {
  const std::vector<uint32_t> ids = processes.ProcessIds();
  return std::find(ids.begin(), ids.end(), id) != ids.end();
}

TEST(WinProcessesTest, ThisProcessIsListedWithItsExecutable) {
  WinProcesses status(ProcessListing::ProcessStatus);
  WinProcesses toolHelp(ProcessListing::ToolHelp);
  const uint32_t self = GetCurrentProcessId();
  EXPECT_EQ(status.CurrentId(), self);
  ASSERT_TRUE(Lists(status, self));
  ASSERT_TRUE(Lists(toolHelp, self));
  // The full path of the first module, and the snapshot's bare name.
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  EXPECT_EQ(ToUpperAscii(status.ImagePath(self)), ToUpperAscii(path));
  EXPECT_EQ(ToUpperAscii(toolHelp.ImagePath(self)), "WINDOWS_TESTS.EXE");
  EXPECT_TRUE(IsWindowsNT());
}

TEST(WinProcessesTest, KillEndsAProgramWithCodeOneAndAGoneOneIsNoFailure) {
  InstallWindowsPlatform();
  WinLauncher launcher;
  StartResult started = launcher.Start(HelperPath(), "sleep 20000 0", "");
  ASSERT_NE(started.child, nullptr);
  const uint32_t id = started.child->Id();
  EXPECT_TRUE(KillProcess(id));
  const ExitStatus status = started.child->WaitForExit();
  EXPECT_TRUE(status.ok);
  EXPECT_EQ(status.status, 1u);
  // Its id no longer names a process (nothing has taken it over so soon).
  EXPECT_FALSE(KillProcess(id));
}

TEST(WinProcessesTest, GetProcessDeliversTheStartedProgramByName) {
  InstallWindowsPlatform();
  WinLauncher launcher;
  StartResult started = launcher.Start(HelperPath(), "sleep 20000 0", "");
  ASSERT_NE(started.child, nullptr);
  bool found = false;
  uint32_t id = 0;
  std::string name;
  for (int n = 1; GetProcess(n, id, name); ++n)
    if (id == started.child->Id()) found = ToUpperAscii(StripDirectory(name)) == "WINHELPER.EXE";
  EXPECT_TRUE(found);
  KillProcess(started.child->Id());
  started.child->WaitForExit();
}

}  // namespace
}  // namespace tolm
