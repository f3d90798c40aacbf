// Starting and waiting for real programs through the Linux backend.
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <sstream>

#include "fakes/fake_process_platform.h"
#include "linux/linux_test_support.h"
#include "services/core/errors.h"
#include "services/seams/event_pump.h"
#include "services/seams/exit_status.h"
#include "services/platform/linux/linux_launcher.h"
#include "services/platform/linux/linux_platform.h"
#include "services/seams/programs.h"

namespace tolm {
namespace {

using linux_test::PathPrefix;
using linux_test::ReadFile;
using linux_test::ScratchDir;
using linux_test::WriteFile;
using linux_test::ZombieChildren;
using process_fakes::RecordingUserInterface;

constexpr uint32_t kRaiseWait = 0x805 | kLaunchWait;

// A fake desktop opener, first on PATH: writes its arguments and its folder
// into the scratch folder and ends with status 4.
const char* const kFakeOpener =
    "#!/bin/sh\nprintf '[%s]' \"$@\" > \"$OPENER_LOG\"\npwd >> \"$OPENER_LOG\"\nexit 4\n";

class LinuxProgramsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallLinuxPlatform();
    LastExitCode = 99;
    WriteFile(dir / "xdg-open", kFakeOpener, true);
    setenv("OPENER_LOG", (dir / "opener.log").c_str(), 1);
  }
  void TearDown() override {
    WaitForAllProcesses();
    EXPECT_EQ(ZombieChildren(), std::vector<int>{});
  }

  // The message of the ESystemError a start raises, or empty.
  std::string StartFailure(const std::string& program, const std::string& parameters = "",
                           const std::string& directory = "") {
    try {
      StartProgram(program, parameters, directory, kRaiseWait);
    } catch (const ESystemError& e) {
      return e.Message();
    }
    return {};
  }

  ScratchDir dir{"tolm-programs"};
  PathPrefix opener{dir.Path()};
  RecordingUserInterface ui;
};

TEST_F(LinuxProgramsTest, WaitStoresTheExitStatus) {
  struct Case {
    const char* program;
    const char* parameters;
    uint32_t status;
  };
  const Case cases[] = {
      {"true", "", 0},
      {"false", "", 1},
      {"sh", "-c \"exit 3\"", 3},
      {"\"/bin/sh\"", "-c \"kill -9 $$\"", 128 + 9},  // killed by a signal
      {"sh", "-c \"kill -TERM $$\"", 128 + 15},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StartProgram(c.program, c.parameters, "", kRaiseWait), 0) << c.program;
    EXPECT_EQ(LastExitCode, c.status) << c.program << " " << c.parameters;
  }
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(LinuxProgramsTest, AnInheritedIgnoredSigchldDoesNotLoseStatuses) {
  signal(SIGCHLD, SIG_IGN);  // as a careless parent might leave it
  InstallLinuxPlatform();
  EXPECT_EQ(StartProgram("sh", "-c \"exit 3\"", "", kRaiseWait), 0);
  EXPECT_EQ(LastExitCode, 3u);
}

TEST_F(LinuxProgramsTest, ParametersAreSplitWithoutAShellAndRunInTheDirectory) {
  WriteFile(dir / "show-args", "#!/bin/sh\nprintf '[%s]' \"$0\" \"$@\" > args.txt\n", true);
  ScratchDir work("tolm-work");
  std::string parameters = "one \"two words\" \"$HOME\" a*b '' \"\"";
  ASSERT_EQ(StartProgram("\"" + (dir / "show-args") + "\"", parameters, work.Path(), kRaiseWait), 0);
  EXPECT_EQ(ReadFile(work / "args.txt"),
            "[" + (dir / "show-args") + "][one][two words][$HOME][a*b][''][]");
}

TEST_F(LinuxProgramsTest, TheChildStartsWithACleanSignalMaskAndDefaultDispositions) {
  // This process blocks the close requests and here ignores SIGPIPE; the
  // child must inherit neither.
  struct sigaction ignore{}, old{};
  ignore.sa_handler = SIG_IGN;
  sigaction(SIGPIPE, &ignore, &old);
  int result = StartProgram("sh", "-c \"grep -E '^Sig(Blk|Ign)' /proc/self/status > mask.txt\"", dir.Path(),
                            kRaiseWait);
  sigaction(SIGPIPE, &old, nullptr);
  ASSERT_EQ(result, 0);
  std::istringstream lines(ReadFile(dir / "mask.txt"));
  std::string label, blocked, ignored;
  lines >> label >> blocked >> label >> ignored;
  EXPECT_EQ(blocked, "0000000000000000");
  // glibc's posix_spawn leaves its two internal signals (32, 33) ignored and
  // lets nobody reset them; the ordinary signals 1-31 must all be default.
  EXPECT_EQ(std::stoull(ignored, nullptr, 16) & 0x7FFFFFFFull, 0u) << ignored;
}

TEST_F(LinuxProgramsTest, MissingProgramsFailWithNoSuchFileAndNeverReachTheOpener) {
  const std::string missing = "ERROR 2: No such file or directory";
  EXPECT_EQ(StartFailure("no-such-program-tolm"),
            "Could not start application \"no-such-program-tolm\"\r\n" + missing);
  EXPECT_EQ(StartFailure("\"/no/such/program\""), "Could not start application \"\"/no/such/program\"\"\r\n" + missing);
  EXPECT_EQ(StartFailure(""), "Could not start application \"\"\r\n" + missing);
  EXPECT_EQ(StartFailure("true", "", dir / "no-such-folder"),
            "Could not start application \"true\"\r\n" + missing);
  EXPECT_EQ(ReadFile(dir / "opener.log"), "") << "the opener was started";
  EXPECT_EQ(LastExitCode, 99u);
}

TEST_F(LinuxProgramsTest, DocumentsFoldersAndUrlsGoToTheOpener) {
  WriteFile(dir / "notes.txt", "hello");
  ScratchDir work("tolm-open-in");
  struct Case {
    std::string program;
    std::string opened;
  };
  const Case cases[] = {
      {dir / "notes.txt", dir / "notes.txt"},
      {dir.Path(), dir.Path()},
      {"https://example.org/a?b=c", "https://example.org/a?b=c"},
      {"mailto:someone@example.org", "mailto:someone@example.org"},
  };
  for (const Case& c : cases) {
    std::remove((dir / "opener.log").c_str());
    ASSERT_EQ(StartProgram(c.program, "ignored parameters", work.Path(), kRaiseWait), 0) << c.program;
    EXPECT_EQ(ReadFile(dir / "opener.log"), "[" + c.opened + "]" + work.Path() + "\n");
    EXPECT_EQ(LastExitCode, 4u) << "the opener's status is the program's";
  }
}

TEST_F(LinuxProgramsTest, RelativeNamesResolveAgainstOurDirectoryNotTheChilds) {
  WriteFile(dir / "here.sh", "#!/bin/sh\npwd > where.txt\n", true);
  ScratchDir work("tolm-relative");
  std::string cwd = std::filesystem::current_path().string();
  std::filesystem::current_path(dir.Path());
  int result = StartProgram("./here.sh", "", work.Path(), kRaiseWait);
  std::filesystem::current_path(cwd);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(ReadFile(work / "where.txt"), work.Path() + "\n");
}

TEST_F(LinuxProgramsTest, WaitAllCollectsManyChildrenAndLeavesNoZombie) {
  constexpr int kChildren = 80;  // more than one Windows wait could take
  for (int i = 0; i < kChildren; ++i) {
    int status = i == 41 ? 7 : (i == 75 ? 5 : 0);
    ASSERT_EQ(StartProgram("sh", "-c \"exit " + std::to_string(status) + "\"", "", 0x805), 0);
  }
  EXPECT_EQ(StartedProcessCount(), static_cast<size_t>(kChildren));
  WaitForAllProcesses();
  EXPECT_EQ(LastExitCode, 5u);
  EXPECT_EQ(StartedProcessCount(), 0u);
  EXPECT_EQ(ZombieChildren(), std::vector<int>{});
}

TEST_F(LinuxProgramsTest, ChildrenStartedWithoutWaitAreCollectedAsTheyEndAndWaitAllFoldsTheirStatuses) {
  constexpr int kChildren = 60;
  for (int i = 1; i <= kChildren; ++i)
    ASSERT_EQ(StartProgram("sh", "-c \"exit $(($0 % 7))\" " + std::to_string(i), "", 0x805), 0);
  // The pump collects each child at its first pass after the child ended:
  // serve it until no child of ours is left, not even a zombie.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  while (!linux_test::ChildStates().empty() && std::chrono::steady_clock::now() < deadline)
    PumpWaitUntil(std::chrono::steady_clock::now() + std::chrono::milliseconds(20));
  EXPECT_EQ(ZombieChildren(), std::vector<int>{});
  EXPECT_EQ(linux_test::ChildStates().size(), 0u);
  EXPECT_EQ(LinuxChild::WatchedCount(), 0) << "every watch ends with its child";
  EXPECT_EQ(StartedProcessCount(), static_cast<size_t>(kChildren)) << "kept for /waitall";
  WaitForAllProcesses();
  EXPECT_EQ(LastExitCode, 60u % 7) << "the last non-zero status in start order";
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(LinuxProgramsTest, WaitAllWithNothingRecordedReturnsAtOnce) {
  WaitForAllProcesses();
  EXPECT_EQ(LastExitCode, 0u);
  EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace tolm
