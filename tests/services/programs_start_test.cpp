// StartProgram's platform-free side on the recording fake: what reaches the
// platform, the failure policy by flag bits, show modes, and /wait.
#include <gtest/gtest.h>

#include <utility>

#include "fakes/fake_process_platform.h"
#include "services/core/sys_error.h"
#include "services/core/errors.h"
#include "services/seams/exit_status.h"
#include "services/seams/desktop.h"
#include "services/seams/programs.h"
#include "services/seams/show_mode.h"

namespace tolm {
namespace {

using process_fakes::FakeProcessPlatform;
using process_fakes::Message;
using process_fakes::ProgramEndCatcher;
using process_fakes::ProgramEnded;
using process_fakes::RecordingUserInterface;
using process_fakes::ScriptedStart;

constexpr int kNoSuchFile = 2;
// The system's own text for each error code: these tests are about what surrounds it.
const std::string kMissingMessage = "Could not start application \"\"my prog\"\"\r\n" + SysErrorText(2);

class StartProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LastExitCode = 77;
    InstallDesktop(DesktopBackend{nullptr, nullptr, [this](int pid, int mode) { shown.emplace_back(pid, mode); }});
  }
  void TearDown() override {
    UninstallDesktop();
    WaitForAllProcesses();  // leaves no child pointing at the fake
  }

  FakeProcessPlatform platform;
  RecordingUserInterface ui;
  ProgramEndCatcher endCatcher;
  std::vector<std::pair<int, int>> shown;
};

TEST_F(StartProgramTest, RemovesEveryQuoteFromTheProgramAndPassesTheRestUnchanged) {
  EXPECT_EQ(StartProgram("\"/opt/my \"tool\"", "-a \"b c\"", "/tmp/work", 0x805), 0);
  ASSERT_EQ(platform.starts.size(), 1u);
  EXPECT_EQ(platform.starts[0].file, "/opt/my tool");
  EXPECT_EQ(platform.starts[0].parameters, "-a \"b c\"");
  EXPECT_EQ(platform.starts[0].directory, "/tmp/work");
}

struct PolicyCase {
  const char* name;
  uint32_t flags;
  int result;                      // expected return when it returns
  std::vector<Message> messages;   // boxes shown
  bool raises;                     // ESystemError with the message
  bool ends;                       // the program ends with status 1
};

void PrintTo(const PolicyCase& c, std::ostream* os) { *os << c.name; }

class StartFailurePolicyTest : public StartProgramTest, public ::testing::WithParamInterface<PolicyCase> {};

TEST_P(StartFailurePolicyTest, FirstPolicyBitDecides) {
  const PolicyCase& c = GetParam();
  platform.nextStarts.push_back(ScriptedStart{kNoSuchFile});
  int result = 12345;
  std::string raised;
  int endedWith = -1;
  try {
    result = StartProgram("\"my prog\"", "", "", c.flags);
  } catch (const ESystemError& e) {
    raised = e.Message();
  } catch (const ProgramEnded& e) {
    endedWith = e.exitCode;
  }
  EXPECT_EQ(ui.messages, c.messages);
  EXPECT_EQ(raised, c.raises ? kMissingMessage : "");
  EXPECT_EQ(endedWith, c.ends ? 1 : -1);
  if (!c.raises && !c.ends) {
    EXPECT_EQ(result, c.result);
  }
  EXPECT_TRUE(shown.empty()) << "no show mode for a program that did not start";
  EXPECT_EQ(StartedProcessCount(), 0u);
  EXPECT_EQ(LastExitCode, 77u);
}

const Message kWarning{MessageKind::Warning, kMissingMessage};
const Message kError{MessageKind::Error, kMissingMessage};

INSTANTIATE_TEST_SUITE_P(
    Flags, StartFailurePolicyTest,
    ::testing::Values(PolicyCase{"Ignore", kLaunchIgnore | 5, -1, {}, false, false},
                      PolicyCase{"IgnoreBeatsWarnAndRaise", kLaunchIgnore | kLaunchWarn | kLaunchRaise, -1, {}, false,
                                 false},
                      PolicyCase{"Warn", kLaunchWarn | 3, -1, {kWarning}, false, false},
                      PolicyCase{"WarnBeatsRaise", kLaunchWarn | kLaunchRaise | 5, -1, {kWarning}, false, false},
                      PolicyCase{"Raise", kLaunchRaise | 5, 0, {}, true, false},
                      PolicyCase{"RaiseWithWait", kLaunchRaise | kLaunchWait | 5, 0, {}, true, false},
                      PolicyCase{"NoBitEndsWithStatusOne", 0, 0, {kError}, false, true},
                      PolicyCase{"HideAndWaitEnds", kLaunchWait, 0, {kError}, false, true}),
    [](const ::testing::TestParamInfo<PolicyCase>& p) { return std::string(p.param.name); });

TEST_F(StartProgramTest, FailureMessageKeepsTheProgramTextAndTheSystemReason) {
  EXPECT_EQ(StartFailureMessage("x y", 13), "Could not start application \"x y\"\r\n" + SysErrorText(13));
}

TEST_F(StartProgramTest, ShowModeIsHandedOnUnlessItIsTheNormalOne) {
  const std::vector<std::pair<uint32_t, std::vector<std::pair<int, int>>>> cases = {
      {0x805, {}},
      {0x003, {{1001, 3}}},
      {0x000 | kLaunchWait, {{1002, 0}}},
      {0x207, {{1003, 7}}},
  };
  // The fake numbers its children from 1000 in start order.
  for (const auto& [flags, expected] : cases) {
    shown.clear();
    EXPECT_EQ(StartProgram("p", "", "", flags), 0);
    EXPECT_EQ(shown, expected) << "flags " << flags;
  }
}

TEST_F(StartProgramTest, WaitStoresTheStatusAndRecordsNothing) {
  platform.nextStarts.push_back(ScriptedStart{0, 3});
  EXPECT_EQ(StartProgram("p", "", "", 0x805 | kLaunchWait), 0);
  EXPECT_EQ(LastExitCode, 3u);
  EXPECT_EQ(platform.waitedIds, std::vector<uint32_t>{1000});
  EXPECT_EQ(StartedProcessCount(), 0u);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(StartProgramTest, UnreadableStatusIsReportedAndKeepsTheFormerValue) {
  platform.nextStarts.push_back(ScriptedStart{0, 3, 10});
  EXPECT_EQ(StartProgram("p", "", "", 0x805 | kLaunchWait), 0);
  EXPECT_EQ(LastExitCode, 77u);
  EXPECT_EQ(ui.messages, (std::vector<Message>{
                             {MessageKind::Error, "Could not get exit status for process - " + SysErrorText(10)}}));
}

TEST_F(StartProgramTest, WithoutWaitTheProgramIsRecordedAndNotWaitedFor) {
  platform.nextStarts.push_back(ScriptedStart{0, 3});
  EXPECT_EQ(StartProgram("p", "", "", 0x805), 0);
  EXPECT_EQ(StartedProcessCount(), 1u);
  EXPECT_TRUE(platform.waitedIds.empty());
  EXPECT_EQ(LastExitCode, 77u);
}

TEST_F(StartProgramTest, AShowModeThatCannotBeAppliedFailsTheStartButTheProgramIsStillCollected) {
  InstallDesktop(DesktopBackend{
      nullptr, nullptr, [](int, int) { throw Exception("Could not start the show-mode watcher: Out of memory"); }});
  for (uint32_t flags : {uint32_t{3}, uint32_t{3} | kLaunchWait}) {
    platform.nextStarts = {ScriptedStart{0, 6, 0}};
    std::string message;
    try {
      StartProgram("prog", "", "", flags);
    } catch (const Exception& e) {
      message = e.Message();
    }
    EXPECT_EQ(message, "Could not start the show-mode watcher: Out of memory") << flags;
    EXPECT_EQ(StartedProcessCount(), 1u) << flags;
    WaitForAllProcesses();
    EXPECT_EQ(LastExitCode, 6u) << flags;
  }
}

}  // namespace
}  // namespace tolm
