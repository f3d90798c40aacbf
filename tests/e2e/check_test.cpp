// "tolm32 --check" on command files: what it prints and its exit status.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "support/run_tolm.h"

namespace tolm::testing {
namespace {

TEST(Check, GoodFilesPrintNothingAndSucceed) {
  TempDir dir;
  std::string a = dir.Write("a.tm", "# comment\r\nnotepad /min c:\\doc\\a.txt\r\n/set X=1\r\n");
  std::string b = dir.Write("b.tm", "/if env(X) eq \"a b\" {\n  notepad\n} /else {\n  /pause no\n}\n");
  RunResult r = RunTolm({"--check", a, b});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "");
}

TEST(Check, ReportsEachFailedParseWithLineColumnAndSource) {
  TempDir dir;
  std::string good = dir.Write("good.tm", "/plist\n");
  std::string bad = dir.Write("bad.tm", "/plist\r\n/activate\r\n/wlist\r\n");
  std::string bad2 = dir.Write("bad2.tm", "notepad c:\\doc\\a.txt /min\n");
  RunResult r = RunTolm({"--check", good, bad, bad2});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err,
            "Parse Output: \n\nParse Errors: \n"
            "Line 3 Col 1 in file \"" + bad + "\"\nstring expected at \n\n"
            "Parse Output: \n\nParse Errors: \n"
            "Line 1 Col 26 in file \"" + bad2 + "\"\nsyntax error at /min\n");
}

TEST(Check, FilesThatCannotBeOpenedAreReportedWithTheReasonAndFail) {
  TempDir dir;
  std::string folder = dir.File("folder.tm");
  std::filesystem::create_directory(folder);
  std::string locked = dir.Write("locked.tm", "/plist\n");
  chmod(locked.c_str(), 0);
  struct Case {
    std::string name, reason;
  } cases[] = {
      {"/nonexistent/x.tm", "No such file or directory"},
      {folder, "Is a directory"},
      {locked, "Permission denied"},
  };
  for (const Case& c : cases) {
    if (c.name == locked && geteuid() == 0) continue;  // root reads it anyway
    RunResult r = RunTolm({"--check", c.name});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Error occurred while opening " + c.name + ":\nCannot open file " + c.name + ": " + c.reason + "\n");
  }
}

TEST(Check, AnOverLongWordFailsTheParseInsteadOfEndingTheProgram) {
  TempDir dir;
  std::string file = dir.Write("long.tm", "/plist\n" + std::string(300, 'w') + "\n");
  RunResult r = RunTolm({"--check", file});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Line 2 "), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("yytext overflow"), std::string::npos) << r.err;
}

TEST(Options, HelpVersionAndUnknownOptions) {
  RunResult help = RunTolm({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("Usage: tolm32"), std::string::npos);
  RunResult version = RunTolm({"--version"});
  EXPECT_EQ(version.status, 0);
  // The same version the About box of the editor shows.
  EXPECT_EQ(version.out, "tolm32 5.0\n");
  RunResult unknown = RunTolm({"--bogus"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.err.find("unknown option --bogus"), std::string::npos);
}

}  // namespace
}  // namespace tolm::testing
