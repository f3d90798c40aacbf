// The start-up routine's choice between a command line and a command file.
#include "interp/program_entry.h"

#include <gtest/gtest.h>

#include <exception>
#include <new>

#include "interp_fixture.h"

namespace tolm {
namespace {

using ProgramEntryTest = InterpTest;

TEST(CommandTextForArgument, BareCommandFileNamesBecomeAtCommands) {
  struct Case {
    const char *argument, *text;
  } cases[] = {
      {"script.tm", "@\"script.tm\""},
      {"SCRIPT.TM", "@\"SCRIPT.TM\""},
      {"\"my script.tm\"", "@\"my script.tm\""},
      {"my script.tm", "@\"my script.tm\""},
      {"/home/u/a.tm", "@\"/home/u/a.tm\""},  // an absolute path, not an option
      {"@x.tm", "@x.tm"},
      {"/edit x.tm", "/edit x.tm"},
      {"/EDIT x.tm", "/EDIT x.tm"},
      {"{ x.tm }", "{ x.tm }"},
      {"viewer readme.txt", "viewer readme.txt"},
      {"a.tm b", "a.tm b"},
      {"/pause hello", "/pause hello"},
  };
  for (const Case& c : cases) EXPECT_EQ(CommandTextForArgument(c.argument), c.text) << c.argument;
}

TEST_F(ProgramEntryTest, AStandardExceptionIsReportedAndTheRunFails) {
  platform.nextStarts = {{0, 0, 0, std::make_exception_ptr(std::bad_alloc())}};
  EXPECT_EQ(RunArgumentText("notepad"), 1);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
  EXPECT_EQ(ui.messages[0].text, "TOLM32: " + Wrapped("notepad", "std::bad_alloc"));
}

}  // namespace
}  // namespace tolm
