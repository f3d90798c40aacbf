// Program lines: launch flags, prepared parameters, start failures.
#include <cstdlib>

#include "interp_fixture.h"

namespace tolm {
namespace {

using ProgramLineTest = InterpTest;

TEST_F(ProgramLineTest, OptionsGiveTheLaunchFlags) {
  struct Case {
    const char* line;
    uint32_t flags;
  } cases[] = {
      {"prog", 0x805},           {"prog /min /max", 3},    {"prog /max /min /ignore", 0x203},
      {"prog /hide /wait", 0x100}, {"prog /w /warn", 0xD05}, {"prog /noactivate /hide /i", 0x207},
      {"prog /h", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Run(c.line), "") << c.line;
    EXPECT_EQ(LaunchFlags, c.flags) << c.line;
  }
  ASSERT_EQ(platform.starts.size(), std::size(cases));
  // Only starts with a show option hand their mode to the window layer.
  EXPECT_EQ(showModes.size(), 5u);
}

TEST_F(ProgramLineTest, ParametersAreEvaluatedAndQuotedWhenTheyHoldBlanks) {
  setenv("TOLM_TEST_X", "val ue", 1);
  EXPECT_EQ(Run("\"my prog\" \"a b\" c \"q\" env(TOLM_TEST_X) 1 + 2 /s"), "");
  ASSERT_EQ(platform.starts.size(), 1u);
  EXPECT_EQ(platform.starts[0].file, "my prog");
  EXPECT_EQ(platform.starts[0].parameters, "\"a b\" c q \"val ue\" 3 /s");
  EXPECT_EQ(platform.starts[0].directory, "");
  unsetenv("TOLM_TEST_X");
}

TEST_F(ProgramLineTest, AParameterThatIsNotAnExpressionFailsBeforeAnythingStarts) {
  EXPECT_EQ(Run("prog a + b"), Wrapped("prog a + b", "'a' is not a valid integer value"));
  EXPECT_TRUE(platform.starts.empty());
}

TEST_F(ProgramLineTest, StartFailuresFollowTheFailurePolicy) {
  const std::string message = "Could not start application \"nope\"\r\n" + SysErrorText(2);
  platform.nextStarts = {{2}, {2}, {2}};
  EXPECT_EQ(Run("\"nope\" /ignore"), "");
  EXPECT_EQ(Run("\"nope\" /warn"), "");
  EXPECT_EQ(ui.messages, (std::vector<process_fakes::Message>{{MessageKind::Warning, message}}));
  EXPECT_EQ(Run("\"nope\""), Wrapped("\"nope\"", message));
}

TEST_F(ProgramLineTest, WaitStoresTheExitStatus) {
  platform.nextStarts = {{0, 7}};
  EXPECT_EQ(Run("prog /wait"), "");
  EXPECT_EQ(LastExitCode, 7u);
  platform.nextStarts = {{0, 9}};
  EXPECT_EQ(Run("prog"), "");
  EXPECT_EQ(LastExitCode, 7u) << "a program not waited for leaves the status alone";
}

TEST_F(ProgramLineTest, WaitallFoldsTheLastNonZeroStatus) {
  platform.nextStarts = {{0, 2}, {0, 0}, {0, 7}, {0, 0}};
  EXPECT_EQ(Run("a\nb\nc\nd\n/waitall"), "");
  EXPECT_EQ(LastExitCode, 7u);
  EXPECT_EQ(platform.waitedIds.size(), 4u);
}

TEST_F(ProgramLineTest, TheDirectoryIsTheOneCdSet) {
  EXPECT_EQ(Run("/cd /ignore \"/nonexistent-tolm-dir\""), "");
  EXPECT_EQ(CurrentDirectory, "/nonexistent-tolm-dir");
  EXPECT_EQ(Run("prog"), "");
  EXPECT_EQ(platform.starts.back().directory, "/nonexistent-tolm-dir");
}

}  // namespace
}  // namespace tolm
