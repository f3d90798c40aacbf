// Command files run by tolm32.exe --console under Wine, end to end: what
// they start, what they print, how they end.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "e2e_support.h"
#include "support/run_tolm.h"

namespace tolm {
namespace {

using e2e::Helper;
using e2e::RunScript;
using e2e::WindowsPath;
using testing::ReadFileText;
using testing::RunResult;
using testing::TempDir;

TEST(WindowsRun, ProgramsRunInOrderAndErrorlevelFollowsWaitsAndWaitall) {
  TempDir dir;
  const std::string h = Helper();
  RunResult r = RunScript(dir, h + " /wait append log one 3\n"
                               "/if errorlevel() eq 3 {\n  " + h + " /wait append log three\n}\n" +
                               h + " append log two 7\n" + h + " append log two 0\n/waitall\n"
                               "/if errorlevel() eq 7 {\n  " + h + " /wait append log seven\n}\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(dir.Read("log"), "one\nthree\ntwo\ntwo\nseven\n");
}

TEST(WindowsRun, AFailingLineStopsTheRunAndIsReportedWithItsText) {
  TempDir dir;
  RunResult r = RunScript(dir, Helper() + " /wait append log before\n/cd \"Z:\\nonexistent-tolm\"\n" + Helper() +
                                   " /wait append log after\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(dir.Read("log"), "before\n");
  const std::string script = dir.path() + "/script.tm";
  EXPECT_EQ(r.err, "TOLM32: ERROR: The following command: \n@ \"" + script +
                       "\"\nFailed with the following error(s):\nERROR: The following command: \n"
                       "/cd \"Z:\\nonexistent-tolm\"\nFailed with the following error(s):\n"
                       "Could not /cd to directory \"Z:\\nonexistent-tolm\"\nERROR 2: File not found.\n");
}

TEST(WindowsRun, KillEndsEveryProgramOfThatNameAndPlistListsThem) {
  TempDir dir;
  const std::string h = Helper();
  RunResult r = RunScript(dir, h + " sleep 30000 0\n" + h + " sleep 30000 0\n/plist\n/kill winhelper.EXE\n/waitall\n"
                               "/if errorlevel() eq 1 {\n  " + h + " /wait append log killed\n}\n"
                               "/kill winhelper.exe\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(dir.Read("log"), "killed\n");
  // Both started programs, and this one, are in the list.
  size_t helpers = 0;
  for (size_t at = 0; (at = r.out.find("WINHELPER.EXE\n", at)) != std::string::npos; ++at) ++helpers;
  EXPECT_EQ(helpers, 2u) << r.out;
  EXPECT_NE(r.out.find("TOLM32.EXE\n"), std::string::npos) << r.out;
  EXPECT_NE(r.err.find("/kill could not find \"WINHELPER.EXE\" program running"), std::string::npos) << r.err;
}

TEST(WindowsRun, SetChangesTheEnvironmentOfLaterPrograms) {
  TempDir dir;
  RunResult r = RunScript(dir, "/set TOLM_E2E=\"a_b\"\n" + Helper() + " /wait append log env(TOLM_E2E)\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(dir.Read("log"), "a_b\n");
}

// Wine's notepad: found by its title, brought forward, typed into (a
// modifier, a group, repeat counts, named keys), saved through its menu with
// keystrokes, and closed.
TEST(WindowsRun, NotepadIsTypedIntoSavedThroughItsMenuAndClosed) {
  TempDir dir;
  const std::string saved = dir.File("typed.txt");
  const std::string windowsPath = WindowsPath(saved);
  RunResult r = RunScript(dir, "/set waitinternval=100\n"
                               "notepad.exe\n"
                               "/waitfor \"*- Notepad\"\n"
                               "/activate \"*- Notepad\"\n"
                               "/sendkeys \"Hello +world{ENTER}{TAB 2}ab{LEFT}{BS}c+(xy)\"\n"
                               "/sendkeys \"%fa\"\n"
                               "/waitfor \"Save As\"\n"
                               "/sendkeys \"" + windowsPath + "{ENTER}\"\n"
                               "/waitfor \"typed.txt - Notepad\"\n"
                               "/close \"typed.txt - Notepad\"\n"
                               "/waitclose \"*- Notepad\"\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadFileText(saved), "Hello World\r\n\t\tcXYb");
}

// The task bar shows what runs: the application window's title is the
// command being run and the program's name, and the window list shows it.
TEST(WindowsRun, TheApplicationTitleNamesWhatRuns) {
  TempDir dir;
  RunResult r = RunScript(dir, "/wlist\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("/wlist - tolm32\n"), std::string::npos) << r.out;
}

// Closing the task-bar button is a close request: the program ends at once,
// in the middle of its wait, with the system close command's code.
TEST(WindowsRun, ACloseFromTheTaskbarEndsAWaitingRun) {
  TempDir dir;
  const auto start = std::chrono::steady_clock::now();
  RunResult r = RunScript(dir, Helper() + " sysclose \"/sleep 20 - tolm32\"\n/sleep 20\n" + Helper() +
                                   " /wait append log never\n");
  EXPECT_EQ(r.status, 61536) << r.err;
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(15));
  EXPECT_EQ(dir.Read("log"), "");
}

}  // namespace
}  // namespace tolm
