// Listing and killing real processes, and the pump's real waits.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <filesystem>

#include "fakes/fake_process_platform.h"
#include "linux/linux_test_support.h"
#include "services/core/errors.h"
#include "services/seams/event_pump.h"
#include "services/seams/exit_status.h"
#include "services/platform/linux/linux_platform.h"
#include "services/seams/processes.h"
#include "services/seams/programs.h"
#include "services/seams/show_mode.h"

namespace tolm {
namespace {

using Clock = std::chrono::steady_clock;
using linux_test::ScratchDir;
using linux_test::ZombieChildren;

class LinuxProcessesTest : public ::testing::Test {
 protected:
  void SetUp() override { InstallLinuxPlatform(); }
  void TearDown() override {
    WaitForAllProcesses();
    EXPECT_EQ(ZombieChildren(), std::vector<int>{});
  }

  // The ids of every listed process whose name is path.
  static std::vector<uint32_t> FindByName(const std::string& path) {
    std::vector<uint32_t> found;
    uint32_t id = 0;
    std::string name;
    for (int n = 1; GetProcess(n, id, name); ++n)
      if (name == path) found.push_back(id);
    return found;
  }

  static std::string KillFailure(uint32_t id) {
    try {
      KillProcess(id);
    } catch (const Exception& e) {
      return e.Message();
    }
    return {};
  }

  process_fakes::RecordingUserInterface ui;
};

TEST_F(LinuxProcessesTest, FindsACopyOfSleepByItsUniqueNameAndKillsIt) {
  ScratchDir dir("tolm-kill");
  std::string copy = dir / "tolm-sleep-copy";
  std::filesystem::copy_file("/bin/sleep", copy);
  std::filesystem::permissions(copy, std::filesystem::perms::owner_all);
  ASSERT_EQ(StartProgram(copy, "30", "", 0x805), 0);

  std::vector<uint32_t> found = FindByName(copy);
  ASSERT_EQ(found.size(), 1u);
  Clock::time_point start = Clock::now();
  EXPECT_TRUE(KillProcess(found[0]));
  WaitForAllProcesses();  // a killed child of ours is still collected here
  EXPECT_EQ(LastExitCode, 128u + SIGKILL);
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));
  EXPECT_EQ(FindByName(copy), std::vector<uint32_t>{});
}

TEST_F(LinuxProcessesTest, AProgramWhoseFileWasDeletedOrReplacedKeepsItsName) {
  ScratchDir dir("tolm-deleted");
  const std::string copy = dir / ("tolm-gone-" + std::to_string(getpid()));
  for (bool replaced : {false, true}) {
    std::filesystem::copy_file("/bin/sleep", copy);
    std::filesystem::permissions(copy, std::filesystem::perms::owner_all);
    // Short enough that a failing run does not wait long for it.
    ASSERT_EQ(StartProgram(copy, "5", "", 0x805), 0);
    std::filesystem::remove(copy);  // as a package upgrade does with the old file
    if (replaced) std::filesystem::copy_file("/bin/sleep", copy);

    std::vector<uint32_t> found = FindByName(copy);
    ASSERT_EQ(found.size(), 1u) << (replaced ? "replaced" : "deleted");
    EXPECT_TRUE(KillProcess(found[0]));
    WaitForAllProcesses();
    EXPECT_EQ(LastExitCode, 128u + SIGKILL);
    std::filesystem::remove(copy);
  }
}

TEST_F(LinuxProcessesTest, AFileThatIsReallyNamedDeletedKeepsItsWholeName) {
  ScratchDir dir("tolm-named-deleted");
  const std::string copy = dir / "tolm-sleep (deleted)";
  std::filesystem::copy_file("/bin/sleep", copy);
  std::filesystem::permissions(copy, std::filesystem::perms::owner_all);
  ASSERT_EQ(StartProgram("\"" + copy + "\"", "30", "", 0x805), 0);
  std::vector<uint32_t> found = FindByName(copy);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_TRUE(KillProcess(found[0]));
}

TEST_F(LinuxProcessesTest, KillingAProcessThatHasEndedSinceItWasListedIsNoFailure) {
  ScratchDir dir("tolm-race");
  const std::string copy = dir / "tolm-race-sleep";
  std::filesystem::copy_file("/bin/sleep", copy);
  std::filesystem::permissions(copy, std::filesystem::perms::owner_all);
  ASSERT_EQ(StartProgram(copy, "30", "", 0x805), 0);
  std::vector<uint32_t> found = FindByName(copy);
  ASSERT_EQ(found.size(), 1u);
  // It ends on its own (here: someone else kills it) and is collected
  // before our kill comes.
  ASSERT_EQ(kill(static_cast<pid_t>(found[0]), SIGTERM), 0);
  WaitForAllProcesses();
  ASSERT_EQ(LastExitCode, 128u + SIGTERM);
  EXPECT_FALSE(KillProcess(found[0]));
}

TEST_F(LinuxProcessesTest, ListsThisProcessWithItsExecutable) {
  std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
  std::vector<uint32_t> found = FindByName(self);
  EXPECT_NE(std::find(found.begin(), found.end(), CurrentProcessId()), found.end());
  EXPECT_EQ(CurrentProcessId(), static_cast<uint32_t>(getpid()));
}

TEST_F(LinuxProcessesTest, KillFailuresNameTheStep) {
  EXPECT_FALSE(KillProcess(0x7FFFFFF0u)) << "no such process: it is gone already";
  // Only an unprivileged run can safely try to kill process 1.
  if (geteuid() != 0) {
    EXPECT_EQ(KillFailure(1), "Function TerminateProcess failed: Operation not permitted");
  }
}

TEST_F(LinuxProcessesTest, PumpingSleepLastsItsDuration) {
  for (int ms : {0, 150}) {
    Clock::time_point start = Clock::now();
    PumpingSleep(ms);
    auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    EXPECT_GE(elapsed, ms);
    EXPECT_LT(elapsed, ms + 100);
  }
}

TEST_F(LinuxProcessesTest, ProcessPendingMessagesDoesNotBlock) {
  Clock::time_point start = Clock::now();
  for (int i = 0; i < 100; ++i) ProcessPendingMessages();
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(100));
}

// Runs body in a forked child with the platform installed, sends signal
// while the child is inside body, and returns the child's exit status. The
// child leads its own process group, which is killed afterwards so that no
// program it started outlives the test.
template <typename Body>
int StatusAfterSignal(int signal, Body body) {
  int ready[2];
  if (pipe(ready) != 0) return -1;
  std::fflush(stdout);  // the child ends through EndProgram, which flushes
  pid_t pid = fork();
  if (pid == 0) {
    setpgid(0, 0);
    close(ready[0]);
    InstallLinuxPlatform();
    if (write(ready[1], "x", 1) != 1) _exit(90);
    body();
    _exit(91);  // the signal should have ended us
  }
  close(ready[1]);
  char c;
  ssize_t got = read(ready[0], &c, 1);
  close(ready[0]);
  if (got != 1) return -2;
  std::this_thread::sleep_for(std::chrono::milliseconds(150));  // let the child enter its wait
  kill(pid, signal);
  int status = 0;
  waitpid(pid, &status, 0);
  kill(-pid, SIGKILL);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -3;
}

TEST(CloseRequestTest, EndsTheProgramWithStatus128PlusTheSignal) {
  Clock::time_point start = Clock::now();
  EXPECT_EQ(StatusAfterSignal(SIGTERM, [] { StartProgram("sleep", "3", "", 0x805 | kLaunchWait); }), 143);
  EXPECT_EQ(StatusAfterSignal(SIGINT, [] { PumpingSleep(3000); }), 130);
  EXPECT_EQ(StatusAfterSignal(SIGHUP, [] {
              StartProgram("sleep", "3", "", 0x805);
              WaitForAllProcesses();
            }),
            129);
  EXPECT_EQ(StatusAfterSignal(SIGTERM, [] {
              StartShowModeWatcher([] { std::this_thread::sleep_for(std::chrono::seconds(3)); });
              FinishShowModeWatchers();
            }),
            143);
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(2000)) << "the waits did not end at once";
}

TEST_F(LinuxProcessesTest, TheEndOfARunWaitsOnThePumpForTheShowModeWatchers) {
  std::atomic<int> finished{0};
  for (auto work : {std::chrono::milliseconds(40), std::chrono::milliseconds(10)})
    StartShowModeWatcher([work, &finished] {
      std::this_thread::sleep_for(work);  // a watcher busy with its window
      ++finished;
    });
  Clock::time_point start = Clock::now();
  FinishShowModeWatchers();
  EXPECT_EQ(finished.load(), 2);
  EXPECT_EQ(RunningShowModeWatchers(), 0u);
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(500));
}

}  // namespace
}  // namespace tolm
