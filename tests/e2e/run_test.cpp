// Running command files with "tolm32 --console": programs, waits, blocks,
// failures, trace output and exit statuses, as a user sees them.
#include <gtest/gtest.h>

#include <utility>

#include "support/run_tolm.h"

namespace tolm::testing {
namespace {

RunResult RunScript(const TempDir& dir, const std::string& text, const std::vector<std::string>& env = {}) {
  std::string file = dir.Write("script.tm", text);
  return RunTolm({"--console", file}, dir.path(), env);
}

TEST(Run, ProgramsRunInOrderAndTheRunSucceeds) {
  TempDir dir;
  RunResult r = RunScript(dir,
                          "sh /wait \"-c\" \"echo one >> log\"\n"
                          "sh /wait \"-c\" \"echo two >> log\"\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(dir.Read("log"), "one\ntwo\n");
}

TEST(Run, AFailingLineStopsTheFileAndIsReportedWithItsText) {
  TempDir dir;
  std::string file = dir.Write("f.tm",
                               "sh /wait \"-c\" \"echo one >> log\"\n"
                               "/activate /warn\n"  // parse error: string expected
                               "sh /wait \"-c\" \"echo three >> log\"\n");
  RunResult r = RunTolm({"--console", file}, dir.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "Parse Output: \n\nParse Errors: \n"
            "Line 3 Col 1 in file \"" + file + "\"\nstring expected at \n\n"
            "TOLM32: ERROR: The following command: \n@ \"" + file + "\"\n"
            "Failed with the following error(s):\nparse error\n");
  EXPECT_EQ(dir.Read("log"), "");  // nothing of a file that did not parse runs
}

TEST(Run, NestedFailuresAreWrappedOutermostFirst) {
  TempDir dir;
  dir.Write("b.tm", "sh /wait \"-c\" \"echo b >> log\"\n/cd \"/nonexistent-dir\"\nsh \"-c\" \"echo never >> log\"\n");
  dir.Write("a.tm", "@b.tm\n");
  RunResult r = RunTolm({"--console", "a.tm"}, dir.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "TOLM32: ERROR: The following command: \n@ \"a.tm\"\n"
            "Failed with the following error(s):\n"
            "ERROR: The following command: \n@ b.tm\n"
            "Failed with the following error(s):\n"
            "ERROR: The following command: \n/cd \"/nonexistent-dir\"\n"
            "Failed with the following error(s):\n"
            "Could not /cd to directory \"/nonexistent-dir\"\n"
            "ERROR 2: No such file or directory\n");
  EXPECT_EQ(dir.Read("log"), "b\n");
}

TEST(Run, MissingCommandFileOrAFolderIsReportedWithTheReason) {
  TempDir dir;
  dir.Write("folder.tm/keep", "");
  for (const auto& [name, reason] : {std::pair{"missing.tm", "No such file or directory"},
                                     std::pair{"folder.tm", "Is a directory"}}) {
    RunResult r = RunTolm({"--console", name}, dir.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, std::string("TOLM32: ERROR: The following command: \n@ \"") + name + "\"\n" +
                         "Failed with the following error(s):\n"
                         "Error occurred while opening " + name + ":\nCannot open file " + name + ": " + reason +
                         "\n");
  }
}

TEST(Run, ANulByteFailsTheParseAtItsLineAndColumn) {
  TempDir dir;
  std::string file = dir.Write("nul.tm", std::string("sh /wait \"-c\" \"echo one >> log\"\n/pa\0use\n", 40));
  RunResult r = RunTolm({"--console", file}, dir.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "Parse Output: \n\nParse Errors: \n"
            "Line 2 Col 4 in file \"" + file + "\"\nNUL character in the text at /pa\n"
            "TOLM32: ERROR: The following command: \n@ \"" + file + "\"\n"
            "Failed with the following error(s):\nparse error\n");
  EXPECT_EQ(dir.Read("log"), "");
}

TEST(Run, AnOverlongLineNamesTheFileTheLineAndTheLimit) {
  TempDir dir;
  std::string file = dir.Write("long.tm", "/plist\n/pause " + std::string(3000, 'x') + "\n");
  RunResult r = RunTolm({"--console", file}, dir.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "Parse Output: \n\nParse Errors: \n"
            "Line 2 Col 2048 in file \"" + file + "\"\nline too long (limit is 2047 characters) at \n"
            "TOLM32: ERROR: The following command: \n@ \"" + file + "\"\n"
            "Failed with the following error(s):\nparse error\n");
}

TEST(Run, ErrorlevelAfterWaitsAndWaitallFolding) {
  TempDir dir;
  RunResult r = RunScript(dir,
                          "/set debug=on\n"
                          "sh /wait \"-c\" \"exit 3\"\n"
                          "/if errorlevel() eq 3 {\n  /set A=yes\n}\n"
                          "sh \"-c\" \"exit 2\"\n"
                          "sh \"-c\" \"exit 0\"\n"
                          "sh \"-c\" \"sleep 0.2; exit 7\"\n"
                          "sh \"-c\" \"exit 0\"\n"
                          "/waitall\n"
                          "/if errorlevel() eq 7 {\n  /set B=yes\n}\n"
                          "/waitall\n"
                          "/if errorlevel() eq 0 & env(A) & env(B) {\n  /set C=1\n}\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "errorlevel() EQ 3 is TRUE\n*** BEGIN THEN block\n*** END THEN block\n"
            "errorlevel() EQ 7 is TRUE\n*** BEGIN THEN block\n*** END THEN block\n"
            "errorlevel() EQ 0 & env(A) & env(B) is FALSE\n*** BEGIN ELSE block\n*** END ELSE block\n");
}

TEST(Run, DoLoopAbsorbsFailuresAndRetries) {
  TempDir dir;
  RunResult r = RunScript(dir,
                          "/set N=0\n"
                          "/do {\n"
                          "  /set N=env(N) + 1\n"
                          "  sh /wait \"-c\" \"echo $N >> log\"\n"
                          "  nonexistent_program_xyz\n"
                          "} /while env(N) lt 3\n"
                          "/set debug=on\n"
                          "/do {\n  /cd \"/nonexistent-dir\"\n  /set NEVER=1\n}\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(dir.Read("log"), "1\n2\n3\n");
  EXPECT_EQ(r.out, "*** BEGIN /do command block\n*** /do block failed\n*** END /do command block\n0 is FALSE\n")
      << "a failure ends the pass, not the run";
}

TEST(Run, DryRunTracesWithoutExecuting) {
  TempDir dir;
  dir.Write("inner.tm", "sh /w /min \"-c\" \"echo inner >> log\"\n");
  RunResult r = RunScript(dir,
                          "/set debug=on\n"
                          "/set exec=OFF\n"
                          "sh /wait \"-c\" \"echo outer >> log\"\n"
                          "@inner.tm\n"
                          "/do {\n  /set X=1\n} /while 1\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(dir.Read("log"), "");
  EXPECT_EQ(r.out,
            "sh/wait \"-c\" \"echo outer >> log\"\n"
            "@ inner.tm\n"
            "sh/min/wait \"-c\" \"echo inner >> log\"\n"
            "/do\n"
            "*** BEGIN /do command block\n/set X=1\n*** END /do command block\n1 is FALSE\n");
}

TEST(Run, StartFailuresFollowTheirOptions) {
  TempDir dir;
  RunResult ignored = RunScript(dir, "no_such_program_xyz /ignore\nsh /wait \"-c\" \"echo on >> log\"\n");
  EXPECT_EQ(ignored.status, 0);
  EXPECT_EQ(ignored.err, "");
  RunResult warned = RunScript(dir, "no_such_program_xyz /warn\n");
  EXPECT_EQ(warned.status, 0);
  EXPECT_EQ(warned.err, "Could not start application \"no_such_program_xyz\"\nERROR 2: No such file or directory\n");
  RunResult failed = RunScript(dir, "no_such_program_xyz\nsh \"-c\" \"echo never >> log\"\n");
  EXPECT_EQ(failed.status, 1);
  EXPECT_EQ(failed.err,
            "TOLM32: ERROR: The following command: \n@ \"" + dir.path() + "/script.tm\"\n"
            "Failed with the following error(s):\n"
            "ERROR: The following command: \nno_such_program_xyz\n"
            "Failed with the following error(s):\n"
            "Could not start application \"no_such_program_xyz\"\nERROR 2: No such file or directory\n");
  RunResult ended = RunScript(dir, "no_such_program_xyz /min\nsh \"-c\" \"echo never >> log\"\n");
  EXPECT_EQ(ended.status, 1) << "a start failure that ends the program is not a success";
  EXPECT_EQ(ended.err, "Could not start application \"no_such_program_xyz\"\nERROR 2: No such file or directory\n");
  EXPECT_EQ(dir.Read("log"), "on\n");
}

TEST(Run, SetSpecialNamesAndEnvironment) {
  TempDir dir;
  RunResult r = RunScript(dir,
                          "/set waitinterval=5\n"
                          "/set Greeting=\"a b\" & env(HOME_X)\n"
                          "sh /wait \"-c\" \"echo $Greeting,$waitinterval >> log\"\n"
                          "/set debug=\"" + dir.path() + "/debug.log\"\n"
                          "/kill /ignore no-such-xyz\n",
                          {"HOME_X=!"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(dir.Read("log"), "a b!,5\n");
  EXPECT_NE(dir.Read("debug.log").find("\", Par=\"NO-SUCH-XYZ\"\r\n"), std::string::npos) << dir.Read("debug.log");
}

TEST(Run, CdToARelativeDirectoryStartsLaterProgramsThere) {
  TempDir dir;
  dir.Write("sub/keep", "");
  RunResult r = RunScript(dir, "/cd sub\nsh /wait \"-c\" \"pwd > where\"\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(dir.Read("sub/where"), dir.path() + "/sub\n");
}

TEST(Run, CommandLineTextAndBareFileNames) {
  TempDir dir;
  dir.Write("my script.tm", "sh /wait \"-c\" \"echo ran >> log\"\n");
  RunResult quoted = RunTolm({"--console", "my script.tm"}, dir.path());
  EXPECT_EQ(quoted.status, 0) << quoted.err;
  RunResult line = RunTolm({"--console", "sh", "/wait", "\"-c\"", "\"echo line >> log\""}, dir.path());
  EXPECT_EQ(line.status, 0) << line.err;
  RunResult block = RunTolm({"--console", "{ sh /wait \"-c\" \"echo block >> log\" }"}, dir.path());
  EXPECT_EQ(block.status, 0) << block.err;
  EXPECT_EQ(dir.Read("log"), "ran\nline\nblock\n");
}

TEST(Run, NestingHasAClearLimit) {
  TempDir dir;
  dir.Write("self.tm", "@self.tm\n");
  RunResult r = RunTolm({"--console", "self.tm"}, dir.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Command files are nested too deeply (limit is 100 levels)"), std::string::npos);
}

TEST(Run, SigtermDuringAWaitEndsTheProgramWith143) {
  TempDir dir;
  // The script records its own process id, then waits on a long sleep; the
  // outer shell sends SIGTERM to tolm32 while it waits.
  std::string script = dir.Write("wait.tm", "sleep /wait 30\n");
  RunResult r = RunProgram("/bin/sh",
                           {"-c", "\"$0\" --console \"$1\" & pid=$!; sleep 0.5; kill -TERM $pid; wait $pid; echo $?",
                            TOLM_BINARY, script},
                           dir.path());
  EXPECT_EQ(r.out, "143\n") << r.err;
}

}  // namespace
}  // namespace tolm::testing
