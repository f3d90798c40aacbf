// "/waitall" on the recording fake: every recorded program is collected in
// table order, however many, and the statuses fold into LastExitCode.
#include <gtest/gtest.h>

#include <numeric>

#include "fakes/fake_process_platform.h"
#include "services/core/sys_error.h"
#include "services/seams/exit_status.h"
#include "services/seams/programs.h"

namespace tolm {
namespace {

using process_fakes::FakeProcessPlatform;
using process_fakes::Message;
using process_fakes::RecordingUserInterface;
using process_fakes::ScriptedStart;

class WaitAllTest : public ::testing::Test {
 protected:
  void SetUp() override { LastExitCode = 99; }
  void TearDown() override { WaitForAllProcesses(); }

  // Starts one recorded program per status.
  void StartWithStatuses(const std::vector<uint32_t>& statuses) {
    for (uint32_t s : statuses) {
      platform.nextStarts.push_back(ScriptedStart{0, s});
      ASSERT_EQ(StartProgram("p", "", "", 0x805), 0);
    }
  }

  FakeProcessPlatform platform;
  RecordingUserInterface ui;
};

TEST_F(WaitAllTest, LastNonZeroStatusInTableOrderWins) {
  struct Case {
    std::vector<uint32_t> statuses;
    uint32_t expected;
  };
  const Case cases[] = {
      {{0, 5, 0}, 5}, {{2, 0, 7}, 7}, {{0, 0}, 0}, {{137}, 137}, {{}, 0},
  };
  for (const Case& c : cases) {
    LastExitCode = 99;
    StartWithStatuses(c.statuses);
    WaitForAllProcesses();
    EXPECT_EQ(LastExitCode, c.expected) << "statuses " << ::testing::PrintToString(c.statuses);
    EXPECT_EQ(StartedProcessCount(), 0u);
  }
  EXPECT_TRUE(ui.messages.empty()) << "an empty table shows no error box";
}

TEST_F(WaitAllTest, EveryProgramIsKeptAndCollectedPastAnyOldLimit) {
  constexpr size_t kCount = 600;  // beyond the 64 of one system wait and the 500 of a fixed table
  std::vector<uint32_t> statuses(kCount, 0);
  statuses[kCount - 1] = 4;
  statuses[70] = 9;
  StartWithStatuses(statuses);
  EXPECT_EQ(StartedProcessCount(), kCount);
  EXPECT_TRUE(platform.waitedIds.empty());

  WaitForAllProcesses();
  std::vector<uint32_t> expectedOrder(kCount);
  std::iota(expectedOrder.begin(), expectedOrder.end(), 1000u);
  EXPECT_EQ(platform.waitedIds, expectedOrder);
  EXPECT_EQ(LastExitCode, 4u);
  EXPECT_EQ(StartedProcessCount(), 0u);
}

TEST_F(WaitAllTest, AnUnreadableStatusIsReportedAndContributesNothing) {
  platform.nextStarts = {ScriptedStart{0, 6}, ScriptedStart{0, 8, 10}, ScriptedStart{0, 0}};
  for (int i = 0; i < 3; ++i) StartProgram("p", "", "", 0x805);
  WaitForAllProcesses();
  EXPECT_EQ(LastExitCode, 6u);
  EXPECT_EQ(ui.messages, (std::vector<Message>{
                             {MessageKind::Error, "Could not get exit status for process - " + SysErrorText(10)}}));
}

TEST_F(WaitAllTest, ProgramsWaitedForAtOnceAreNotCollectedAgain) {
  platform.nextStarts = {ScriptedStart{0, 1}, ScriptedStart{0, 2}};
  StartProgram("p", "", "", 0x805);
  StartProgram("p", "", "", 0x805 | kLaunchWait);
  WaitForAllProcesses();
  EXPECT_EQ(platform.waitedIds, (std::vector<uint32_t>{1001, 1000}));
  EXPECT_EQ(LastExitCode, 1u);
}

}  // namespace
}  // namespace tolm
