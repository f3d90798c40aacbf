// The time limit of "/wait" and "/waitall" on the recording fake: what the
// failure says, what becomes of the programs that outlast it, what counts
// for errorlevel(); and the limit's own text.
#include <gtest/gtest.h>

#include <chrono>

#include "fakes/fake_process_platform.h"
#include "services/seams/exit_status.h"
#include "services/seams/programs.h"
#include "services/seams/wait_limit.h"

namespace tolm {
namespace {

using namespace std::chrono_literals;
using process_fakes::FakeProcessPlatform;
using process_fakes::RecordingUserInterface;
using process_fakes::ScriptedStart;

constexpr uint32_t kRaiseWait = 0x805 | kLaunchWait;
const ScriptedStart kRunning{0, 0, 0, nullptr, true};

class WaitLimitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LastExitCode = 99;
    SetWaitTimeout(50ms);
  }
  void TearDown() override {
    SetWaitTimeout(std::nullopt);
    platform.nextStarts.clear();
    // Leaves no child pointing at the fake: without a limit the fake's
    // programs all end when waited for.
    WaitForAllProcesses();
  }

  // The message of the WaitTimedOut the call throws, or empty.
  template <class Call>
  static std::string TimeOut(Call call) {
    try {
      call();
    } catch (const WaitTimedOut& e) {
      return e.Message();
    }
    return {};
  }

  FakeProcessPlatform platform;
  RecordingUserInterface ui;
};

TEST_F(WaitLimitTest, TheLimitReadsAsSeconds) {
  const std::pair<std::chrono::milliseconds, const char*> cases[] = {
      {1000ms, "1 second"},      {30000ms, "30 seconds"},  {2500ms, "2.5 seconds"},
      {250ms, "0.25 seconds"},   {1ms, "0.001 seconds"},   {1010ms, "1.01 seconds"},
      {999999999000ms, "999999999 seconds"},
  };
  for (const auto& [limit, text] : cases) EXPECT_EQ(WaitTimeoutText(limit), text);
}

TEST_F(WaitLimitTest, WithoutALimitTheDeadlineIsNever) {
  SetWaitTimeout(std::nullopt);
  EXPECT_EQ(WaitDeadline(), WaitClock::time_point::max());
  SetWaitTimeout(2500ms);
  const WaitClock::time_point before = WaitClock::now();
  const WaitClock::time_point deadline = WaitDeadline();
  EXPECT_GE(deadline - before, 2500ms);
  EXPECT_LT(deadline - before, 3500ms);
}

TEST_F(WaitLimitTest, AWaitedProgramThatOutlastsTheLimitFailsAndStaysRecorded) {
  platform.nextStarts = {kRunning};
  const auto start = WaitClock::now();
  EXPECT_EQ(TimeOut([] { StartProgram("\"sleep\"", "30", "", kRaiseWait); }),
            "/wait timed out after 0.05 seconds: \"sleep\" is still running");
  EXPECT_GE(WaitClock::now() - start, 50ms);
  EXPECT_EQ(LastExitCode, 99u) << "no status was read";
  EXPECT_EQ(StartedProcessCount(), 1u) << "kept for /waitall";
  EXPECT_EQ(platform.waitedIds, std::vector<uint32_t>{}) << "nothing was collected";
}

TEST_F(WaitLimitTest, AProgramThatEndsInTimeIsCollectedAsWithoutALimit) {
  platform.nextStarts = {ScriptedStart{0, 7}};
  EXPECT_EQ(StartProgram("p", "", "", kRaiseWait), 0);
  EXPECT_EQ(LastExitCode, 7u);
  EXPECT_EQ(platform.limitedWaitIds, std::vector<uint32_t>{1000});
  EXPECT_EQ(StartedProcessCount(), 0u);
}

TEST_F(WaitLimitTest, WaitAllCollectsTheEndedAndKeepsTheRunningInOrder) {
  SetWaitTimeout(100ms);
  platform.nextStarts = {kRunning, ScriptedStart{0, 5}, kRunning, ScriptedStart{0, 0}, kRunning};
  for (int i = 0; i < 5; ++i) ASSERT_EQ(StartProgram("p", "", "", 0x805), 0);
  const auto start = WaitClock::now();
  EXPECT_EQ(TimeOut([] { WaitForAllProcesses(); }),
            "/waitall timed out after 0.1 seconds: 3 programs are still running");
  const auto took = WaitClock::now() - start;
  EXPECT_GE(took, 100ms);
  EXPECT_LT(took, 250ms) << "one limit for the whole /waitall; one per program would be 300 ms";
  EXPECT_EQ(LastExitCode, 5u) << "the programs that ended count";
  EXPECT_EQ(platform.waitedIds, (std::vector<uint32_t>{1001, 1003}));
  EXPECT_EQ(StartedProcessCount(), 3u);

  // The next /waitall begins with the three still running, then what was
  // started since.
  platform.nextStarts = {ScriptedStart{0, 3}};
  ASSERT_EQ(StartProgram("p", "", "", 0x805), 0);
  platform.limitedWaitIds.clear();
  EXPECT_EQ(TimeOut([] { WaitForAllProcesses(); }),
            "/waitall timed out after 0.1 seconds: 3 programs are still running");
  EXPECT_EQ(platform.limitedWaitIds, (std::vector<uint32_t>{1000, 1002, 1004, 1005}));
  EXPECT_EQ(LastExitCode, 3u);
}

TEST_F(WaitLimitTest, OneProgramLeftIsSaidSo) {
  platform.nextStarts = {kRunning};
  ASSERT_EQ(StartProgram("p", "", "", 0x805), 0);
  EXPECT_EQ(TimeOut([] { WaitForAllProcesses(); }),
            "/waitall timed out after 0.05 seconds: 1 program is still running");
}

TEST_F(WaitLimitTest, WithoutALimitNoWaitIsLimited) {
  SetWaitTimeout(std::nullopt);
  platform.nextStarts = {ScriptedStart{0, 2}, ScriptedStart{0, 4}};
  StartProgram("p", "", "", kRaiseWait);
  StartProgram("p", "", "", 0x805);
  WaitForAllProcesses();
  EXPECT_EQ(LastExitCode, 4u);
  EXPECT_EQ(platform.limitedWaitIds, std::vector<uint32_t>{}) << "the plain waits, as before";
  EXPECT_EQ(platform.waitedIds, (std::vector<uint32_t>{1000, 1001}));
}

}  // namespace
}  // namespace tolm
