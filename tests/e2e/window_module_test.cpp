// When the window module cannot be had, tolm32 says why in one line and goes
// on with the console: the module missing beside the program, or a display
// that cannot be reached.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "support/run_tolm.h"

namespace tolm::testing {
namespace {

// Runs a program with DISPLAY set to display (through env, which replaces an
// inherited one).
RunResult RunWithDisplay(const std::string& display, const std::string& program, const std::vector<std::string>& args) {
  std::vector<std::string> envArgs{"DISPLAY=" + display, program};
  envArgs.insert(envArgs.end(), args.begin(), args.end());
  return RunProgram("/usr/bin/env", envArgs);
}

TEST(WindowModule, MissingModuleFallsBackToTheConsole) {
  TempDir dir;
  const std::string copy = CopyProgramWithoutModules(dir.path());
  RunResult r = RunWithDisplay(":0", copy, {"/pause", "hello"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "tolm32: cannot show windows (tolm32-qt.so is not in " + dir.path() + "/ nor in " + dir.path() +
                       "/" TOLM_MODULE_FOLDER "); using the console instead\nhello\n");
}

TEST(WindowModule, UnreachableDisplayFallsBackToTheConsole) {
  RunResult r = RunWithDisplay(":9999", TOLM_BINARY, {"/pause", "hello"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "tolm32: cannot show windows (cannot connect to the display :9999); using the console instead\nhello\n");
}

TEST(WindowModule, ARunThatShowsNothingSaysNothingAboutWindows) {
  TempDir dir;
  const std::string copy = CopyProgramWithoutModules(dir.path());
  RunResult r = RunWithDisplay(":0", copy, {"/set", "X=1"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "") << "the module is looked for only when something is shown";
}

}  // namespace
}  // namespace tolm::testing
