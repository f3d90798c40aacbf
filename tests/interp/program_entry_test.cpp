// The start-up routine's choice between a command line and a command file.
#include "interp/program_entry.h"

#include <gtest/gtest.h>

namespace tolm {
namespace {

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

}  // namespace
}  // namespace tolm
