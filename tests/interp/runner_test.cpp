// The runner: command texts, trace lines, failure wrapping and softening,
// blocks and conditions, the settings of "/set".
#include <cstdlib>
#include <exception>
#include <new>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "interp_fixture.h"

namespace tolm {
namespace {

using RunnerTest = InterpTest;

TEST_F(RunnerTest, CommandTextShowsOptionsInFixedOrderOnce) {
  TraceEnabled = true;
  ExecEnabled = false;
  EXPECT_EQ(Run("notepad /w /min /w x \"y z\"\n/set Path=c:\\bin\n/activate /warn /i Untitled - Notepad\n"
                "/if a eq b {\n}\n/waitall"),
            "");
  EXPECT_EQ(CollectedOutput,
            "notepad/min/wait x \"y z\"\r\n"
            "/set Path=c:\\bin\r\n"
            "/activate/ignore/warn Untitled - Notepad\r\n"
            "/if a EQ b\r\n"
            "a EQ b is FALSE\r\n*** BEGIN ELSE block\r\n*** END ELSE block\r\n"
            "/waitall\r\n");
  EXPECT_TRUE(platform.starts.empty());
}

TEST_F(RunnerTest, FailuresInsideBlocksAreWrappedByEveryEnclosingCommand) {
  std::string message = Run("/if 1 {\n  /if 1 {\n    /cd \"/nonexistent-tolm-dir\"\n  }\n}");
  EXPECT_EQ(message, Wrapped("/if 1", Wrapped("/if 1", Wrapped("/cd \"/nonexistent-tolm-dir\"",
                                                               "Could not /cd to directory \"/nonexistent-tolm-dir\"\r\n" +
                                                                   SysErrorText(2)))));
  EXPECT_EQ(ApplicationTitle(), "tolm32");
}

TEST_F(RunnerTest, IgnoreAndWarnSoftenSoftFailuresOnly) {
  EXPECT_EQ(Run("/cd /ignore \"/nonexistent-tolm-dir\""), "");
  EXPECT_EQ(Run("/cd /warn \"/nonexistent-tolm-dir\""), "");
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
  EXPECT_EQ(ui.messages[0].text,
            "Could not /cd to directory \"/nonexistent-tolm-dir\"\r\n" + SysErrorText(2));
  // An empty argument is an internal error that no option softens.
  EXPECT_EQ(Run("/kill /ignore \"\""), Wrapped("/kill/ignore \"\"", "/kill argument missing"));
}

TEST_F(RunnerTest, IfRunsOneBranchAndTracesIt) {
  TraceEnabled = true;
  EXPECT_EQ(Run("/if 1 + 1 eq 2 {\n  /set T=then\n} /else {\n  /set T=else\n}"), "");
  EXPECT_STREQ(std::getenv("T"), "then");
  EXPECT_EQ(CollectedOutput, "1 + 1 EQ 2 is TRUE\r\n*** BEGIN THEN block\r\n*** END THEN block\r\n");
  EXPECT_EQ(Run("/if abc {\n}"), Wrapped("/if abc", "Bad /if expression result: \"abc\" - should be numeric"));
  EXPECT_EQ(Run("/if env() {\n}"), Wrapped("/if env()", "Bad Expression: string expected at )"));
}

TEST_F(RunnerTest, DoLoopsJudgeTheConditionAfterEveryPass) {
  TraceEnabled = true;
  setenv("N", "0", 1);
  EXPECT_EQ(Run("/do {\n  /set N=env(N) + 1\n  /cd \"/nonexistent-tolm-dir\"\n} /while env(N) lt 2"), "");
  EXPECT_STREQ(std::getenv("N"), "2");
  EXPECT_EQ(LastExitCode, 1u);
  const std::string pass = "*** BEGIN /do command block\r\n*** /do block failed\r\n*** END /do command block\r\n";
  EXPECT_EQ(CollectedOutput, pass + "env(N) LT 2 is TRUE\r\n" + pass + "env(N) LT 2 is FALSE\r\n");

  EXPECT_EQ(Run("/do {\n}"), "");
  EXPECT_EQ(LastExitCode, 0u) << "a pass without failure leaves errorlevel 0";
}

TEST_F(RunnerTest, BadWhileResultIsSoftenedByTheLastCommandsOptions) {
  EXPECT_EQ(Run("/do {\n  /cd /ignore \"/nonexistent-tolm-dir\"\n} /while word"), "");
  EXPECT_EQ(Run("/do {\n} /while word"), Wrapped("/do", "Bad /while expression result: \"word\" - should be numeric"));
}

TEST_F(RunnerTest, DryRunStillEntersBlocksButRunsOnePass) {
  TraceEnabled = true;
  EXPECT_EQ(Run("/set exec=OFF\n/do {\n  prog\n} /while 1\n/if 0 {\n} /else {\n  prog2 x\n}"), "");
  EXPECT_TRUE(platform.starts.empty());
  EXPECT_EQ(CollectedOutput,
            "/do\r\n*** BEGIN /do command block\r\nprog\r\n*** END /do command block\r\n1 is FALSE\r\n"
            "/if 0\r\n0 is FALSE\r\n*** BEGIN ELSE block\r\nprog2 x\r\n*** END ELSE block\r\n");
}

TEST_F(RunnerTest, SetChangesSwitchesOrTheEnvironment) {
  struct Case {
    const char* value;
    bool trace, log, lex;
  } debugCases[] = {
      {"all", true, true, true}, {"OFF", false, false, false}, {"on", true, false, false}, {"Lex", false, false, true}};
  for (const Case& c : debugCases) {
    EXPECT_EQ(Run(std::string("/set debug=") + c.value), "");
    EXPECT_EQ(TraceEnabled, c.trace) << c.value;
    EXPECT_EQ(DebugLogEnabled, c.log) << c.value;
    EXPECT_EQ(LexTrace, c.lex) << c.value;
  }
  LexTrace = false;
  EXPECT_EQ(Run("/set DEBUG=\"/tmp/Some.Log\""), "");
  EXPECT_TRUE(DebugLogEnabled);
  EXPECT_EQ(DebugLogPath, "/tmp/Some.Log");
  EXPECT_FALSE(TraceEnabled) << "a log path leaves the trace switch as it was";
  DebugLogEnabled = false;

  EXPECT_EQ(Run("/set WaitInternval=100\n/set exec=no"), "");
  EXPECT_EQ(WaitInterval, 100);
  EXPECT_TRUE(ExecEnabled);
  EXPECT_EQ(Run("/set waitinterval=7"), "");
  EXPECT_STREQ(std::getenv("waitinterval"), "7");
  EXPECT_EQ(WaitInterval, 100);
}

TEST_F(RunnerTest, SleepArgumentIsCheckedForOverflow) {
  EXPECT_EQ(Run("/sleep 3000000"), Wrapped("/sleep 3000000", "Integer overflow"));
  EXPECT_EQ(Run("/sleep word"), "") << "a word sleeps 0 seconds";
}

TEST_F(RunnerTest, KillEndsEveryMatchingProcessButThisOne) {
  platform.processes = {{10, "/usr/bin/sleep"}, {11, "/bin/bash"}, {12, "/opt/x/Sleep"}, {4242, "/usr/bin/sleep"},
                        {13, ""}};
  EXPECT_EQ(Run("/kill sl*"), "");
  EXPECT_EQ(platform.killedIds, (std::vector<uint32_t>{10, 12}));
  EXPECT_EQ(Run("/kill nothing*"), Wrapped("/kill nothing*", "/kill could not find \"NOTHING*\" program running"));
  platform.killResults[11] = {KillStep::Terminate, 1};
  EXPECT_EQ(Run("/kill /ignore bash"),
            Wrapped("/kill/ignore bash", "Function TerminateProcess failed: " + SysErrorDescription(1)));
}

TEST_F(RunnerTest, AProgramLineNamingACommandFileRunsIt) {
  EXPECT_EQ(Run("missing_file.TM"), Wrapped("missing_file.TM", Wrapped("@ \"missing_file.TM\"",
                                                                   "Error occurred while opening missing_file.TM:\r\n"
                                                                   "Cannot open file missing_file.TM: " +
                                                                       SysErrorDescription(2))));
  EXPECT_EQ(Run("x.tm arg"), "");
  ASSERT_EQ(platform.starts.size(), 1u);
  EXPECT_EQ(platform.starts[0].file, "x.tm");
}

// The standard library's exceptions, as a command can meet them.
std::vector<std::exception_ptr> StandardFailures() {
  return {std::make_exception_ptr(std::bad_alloc()),
          std::make_exception_ptr(std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again),
                                                    "thread")),
          std::make_exception_ptr(std::length_error("basic_string::_M_create"))};
}

std::string WhatOf(const std::exception_ptr& failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const std::exception& e) {
    return e.what();
  }
}

TEST_F(RunnerTest, StandardExceptionsFailTheCommandLikeAnyFailure) {
  for (const std::exception_ptr& failure : StandardFailures()) {
    platform.nextStarts = {{0, 0, 0, failure}};
    EXPECT_EQ(Run("/if 1 {\n  notepad x\n}"), Wrapped("/if 1", Wrapped("notepad x", WhatOf(failure))));
    EXPECT_EQ(ApplicationTitle(), "tolm32");
  }
}

TEST_F(RunnerTest, DoAbsorbsStandardExceptionsToo) {
  TraceEnabled = true;
  for (const std::exception_ptr& failure : StandardFailures()) {
    CollectedOutput.clear();
    platform.nextStarts = {{0, 0, 0, failure}};
    EXPECT_EQ(Run("/do {\n  notepad\n  /set NEVER_SET=1\n}"), "") << WhatOf(failure);
    EXPECT_EQ(LastExitCode, 1u);
    EXPECT_EQ(CollectedOutput,
              "*** BEGIN /do command block\r\n*** /do block failed\r\n*** END /do command block\r\n0 is FALSE\r\n");
  }
  EXPECT_EQ(std::getenv("NEVER_SET"), nullptr);
}

}  // namespace
}  // namespace tolm
