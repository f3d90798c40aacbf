// tolm32 --wait-timeout SECONDS: what it accepts, how a wait that outlasts it
// fails (in the run's failure report, softened by /ignore and /warn,
// absorbed by /do), and that a close request still ends a limited wait at once.
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "support/run_tolm.h"

namespace tolm::testing {
namespace {

using Clock = std::chrono::steady_clock;

RunResult RunScript(const TempDir& dir, const std::vector<std::string>& options, const std::string& text) {
  std::vector<std::string> args = options;
  args.push_back("--console");
  args.push_back(dir.Write("script.tm", text));
  return RunTolm(args, dir.path());
}

std::string Failure(const std::string& file, const std::string& command, const std::string& message) {
  return "TOLM32: ERROR: The following command: \n@ \"" + file + "\"\nFailed with the following error(s):\n"
         "ERROR: The following command: \n" + command + "\nFailed with the following error(s):\n" + message + "\n";
}

TEST(WaitTimeout, BadValuesAreRefusedWithWhatTheOptionTakes) {
  const std::string takes =
      "\": not a number of seconds greater than 0 with at most 3 decimals, such as 30 or 2.5\n";
  const std::vector<std::vector<std::string>> refused = {
      {"--wait-timeout", "abc"}, {"--wait-timeout", "0"},      {"--wait-timeout", "0.000"},
      {"--wait-timeout", "-1"},  {"--wait-timeout", "1.2345"}, {"--wait-timeout", "1e3"},
      {"--wait-timeout", ""},    {"--wait-timeout", "5."},     {"--wait-timeout", ".5"},
      {"--wait-timeout", " 5"},  {"--wait-timeout=1,5"},       {"--wait-timeout", "1000000000"},
  };
  for (const std::vector<std::string>& args : refused) {
    std::vector<std::string> run = args;
    run.push_back("/pause never shown");
    RunResult r = RunTolm(run);
    const std::string value = args.size() == 2 ? args[1] : args[0].substr(sizeof "--wait-timeout");
    EXPECT_EQ(r.status, 2) << value;
    EXPECT_EQ(r.err, "tolm32: --wait-timeout \"" + value + takes) << value;
    EXPECT_EQ(r.out, "");
  }
  RunResult missing = RunTolm({"--wait-timeout"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.err, "tolm32: --wait-timeout needs a number of seconds, such as 30 or 2.5\n");
}

TEST(WaitTimeout, GoodValuesInBothSpellingsLetTheRunGoOn) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--wait-timeout", "30"}, {"--wait-timeout=2.5"}, {"--wait-timeout", "0.001"},
        {"--wait-timeout", "999999999.999"}, {"--wait-timeout", "1", "--wait-timeout", "7"}}) {
    std::vector<std::string> run = args;
    run.insert(run.end(), {"--console", "/pause", "ran"});
    RunResult r = RunTolm(run);
    EXPECT_EQ(r.status, 0) << args[0];
    EXPECT_EQ(r.err, "ran\n");
  }
}

TEST(WaitTimeout, AProgramWaitedForLongerThanTheLimitFailsTheRunInTime) {
  TempDir dir;
  const Clock::time_point start = Clock::now();
  RunResult r = RunScript(dir, {"--wait-timeout", "0.5"},
                          "sleep /wait 3\nsh /wait \"-c\" \"echo never >> log\"\n");
  const auto took = Clock::now() - start;
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, Failure(dir.File("script.tm"), "sleep/wait 3",
                           "/wait timed out after 0.5 seconds: \"sleep\" is still running"));
  EXPECT_GE(took, std::chrono::milliseconds(500));
  EXPECT_LT(took, std::chrono::milliseconds(2500)) << "the run ended at the limit, not with the program";
  EXPECT_EQ(dir.Read("log"), "");
}

TEST(WaitTimeout, WaitAllNamesHowManyAreLeftAndCountsTheEnded) {
  TempDir dir;
  RunResult r = RunScript(dir, {"--wait-timeout=0.4"},
                          "sleep 3\nsh \"-c\" \"exit 4\"\nsleep 3\n"
                          "/do {\n  /waitall\n} /while 0\n"
                          "sh /wait \"-c\" \"echo errorlevel $0 >> log\" errorlevel()\n"
                          "/waitall\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(dir.Read("log"), "errorlevel 1\n") << "the /do block absorbed the first /waitall";
  EXPECT_EQ(r.err, Failure(dir.File("script.tm"), "/waitall",
                           "/waitall timed out after 0.4 seconds: 2 programs are still running"));
}

TEST(WaitTimeout, IgnoreAndWarnSoftenIt) {
  TempDir dir;
  RunResult r = RunScript(dir, {"--wait-timeout", "0.2"},
                          "sleep /wait /ignore 2\nsleep /wait /warn 2\nsh /wait \"-c\" \"echo went on >> log\"\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "/wait timed out after 0.2 seconds: \"sleep\" is still running\n");
  EXPECT_EQ(dir.Read("log"), "went on\n");
}

TEST(WaitTimeout, WaitsThatEndInTimeAndWaitsWithoutALimitAreUnchanged) {
  TempDir dir;
  for (const std::vector<std::string>& options :
       {std::vector<std::string>{"--wait-timeout", "20"}, std::vector<std::string>{}}) {
    RunResult r = RunScript(dir, options,
                            "sh /wait \"-c\" \"sleep 0.3; exit 3\"\n"
                            "sh /wait \"-c\" \"echo $0 >> log\" errorlevel()\n"
                            "sh \"-c\" \"sleep 0.3; exit 5\"\n/waitall\n"
                            "sh /wait \"-c\" \"echo $0 >> log\" errorlevel()\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
  }
  EXPECT_EQ(dir.Read("log"), "3\n5\n3\n5\n");
}

TEST(WaitTimeout, ACloseRequestStillEndsALimitedWaitAtOnce) {
  TempDir dir;
  const std::string script = dir.Write("long.tm", "sleep /wait 5\n");
  RunningProgram tolm(TOLM_BINARY, {"--wait-timeout", "60", "--console", script}, dir.path());
  // The run is in its wait once it has started the program.
  const std::string children = "/proc/" + std::to_string(tolm.pid()) + "/task/" + std::to_string(tolm.pid()) + "/children";
  const Clock::time_point limit = Clock::now() + std::chrono::seconds(5);
  while (ReadFileText(children).empty() && Clock::now() < limit)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  ASSERT_NE(ReadFileText(children), "") << "sleep was not started";
  const Clock::time_point sent = Clock::now();
  tolm.Signal(SIGTERM);
  RunResult r = tolm.Wait(1000);
  EXPECT_EQ(r.status, 143) << r.err;
  EXPECT_LT(Clock::now() - sent, std::chrono::milliseconds(1000));
}

}  // namespace
}  // namespace tolm::testing
