// The time limit of "/wait" and "/waitall" with real programs: a limited
// wait returns at the limit or as soon as its program ends, whichever comes
// first, and a program that outlasts it is collected by a later wait. Also
// where the pidfd cannot be had (no descriptor left), when the end is looked for.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <vector>

#include "fakes/fake_process_platform.h"
#include "linux/linux_test_support.h"
#include "services/seams/exit_status.h"
#include "services/platform/linux/linux_launcher.h"
#include "services/platform/linux/linux_platform.h"
#include "services/seams/programs.h"
#include "services/seams/wait_limit.h"

namespace tolm {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using linux_test::ZombieChildren;

constexpr uint32_t kRaiseWait = 0x805 | kLaunchWait;

class LinuxWaitLimitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallLinuxPlatform();
    LastExitCode = 99;
  }
  void TearDown() override {
    SetWaitTimeout(std::nullopt);
    WaitForAllProcesses();
    EXPECT_EQ(ZombieChildren(), std::vector<int>{});
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

  process_fakes::RecordingUserInterface ui;
};

TEST_F(LinuxWaitLimitTest, AProgramThatOutlastsTheLimitIsLeftRunningAndCollectedLater) {
  SetWaitTimeout(200ms);
  const Clock::time_point start = Clock::now();
  EXPECT_EQ(TimeOut([] { StartProgram("sh", "-c \"sleep 0.8; exit 6\"", "", kRaiseWait); }),
            "/wait timed out after 0.2 seconds: \"sh\" is still running");
  const auto took = Clock::now() - start;
  EXPECT_GE(took, 200ms);
  EXPECT_LT(took, 700ms);
  EXPECT_EQ(StartedProcessCount(), 1u);
  SetWaitTimeout(std::nullopt);
  WaitForAllProcesses();
  EXPECT_EQ(LastExitCode, 6u);
}

TEST_F(LinuxWaitLimitTest, AProgramThatEndsFirstEndsTheWaitAtOnce) {
  SetWaitTimeout(10s);
  const Clock::time_point start = Clock::now();
  EXPECT_EQ(StartProgram("sh", "-c \"exit 3\"", "", kRaiseWait), 0);
  EXPECT_LT(Clock::now() - start, 2s);
  EXPECT_EQ(LastExitCode, 3u);
}

TEST_F(LinuxWaitLimitTest, WaitAllCollectsWhatEndedByTheLimit) {
  SetWaitTimeout(300ms);
  ASSERT_EQ(StartProgram("sh", "-c \"sleep 1\"", "", 0x805), 0);
  ASSERT_EQ(StartProgram("sh", "-c \"exit 4\"", "", 0x805), 0);
  EXPECT_EQ(TimeOut([] { WaitForAllProcesses(); }),
            "/waitall timed out after 0.3 seconds: 1 program is still running");
  EXPECT_EQ(LastExitCode, 4u);
  EXPECT_EQ(StartedProcessCount(), 1u);
}

// Leaves no descriptor to open, for its lifetime: the limit of open
// descriptors comes down to the highest in use, and the free ones below it
// are taken.
class NoDescriptorLeft {
 public:
  NoDescriptorLeft() {
    getrlimit(RLIMIT_NOFILE, &saved_);
    int highest = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
      highest = std::max(highest, std::stoi(entry.path().filename().string()));
    rlimit tight = saved_;
    tight.rlim_cur = static_cast<rlim_t>(highest) + 1;
    setrlimit(RLIMIT_NOFILE, &tight);
    for (int fd; (fd = open("/dev/null", O_RDONLY | O_CLOEXEC)) >= 0;) taken_.push_back(fd);
  }
  ~NoDescriptorLeft() {
    for (int fd : taken_) close(fd);
    setrlimit(RLIMIT_NOFILE, &saved_);
  }
  NoDescriptorLeft(const NoDescriptorLeft&) = delete;
  NoDescriptorLeft& operator=(const NoDescriptorLeft&) = delete;

 private:
  rlimit saved_{};
  std::vector<int> taken_;
};

TEST_F(LinuxWaitLimitTest, WithoutAPidfdTheEndIsLookedForUntilTheLimit) {
#if defined(__SANITIZE_ADDRESS__)
  // The sanitizers' runtime checks memory through a pipe of its own: with no
  // descriptor left it takes every object for a bad one.
  GTEST_SKIP() << "needs descriptors for the sanitizers' own checks";
#endif
  SetWaitTimeout(300ms);
  NoDescriptorLeft tight;
  const int watchedBefore = LinuxChild::WatchedCount();
  ASSERT_EQ(StartProgram("sh", "-c \"sleep 0.05; exit 5\"", "", 0x805), 0);
  ASSERT_EQ(LinuxChild::WatchedCount(), watchedBefore) << "the child got a pidfd after all";
  const Clock::time_point start = Clock::now();
  WaitForAllProcesses();
  EXPECT_LT(Clock::now() - start, 250ms) << "found soon after it ended, not at the limit";
  EXPECT_EQ(LastExitCode, 5u);

  ASSERT_EQ(StartProgram("sh", "-c \"sleep 1\"", "", 0x805), 0);
  EXPECT_EQ(TimeOut([] { WaitForAllProcesses(); }),
            "/waitall timed out after 0.3 seconds: 1 program is still running");
}

}  // namespace
}  // namespace tolm
