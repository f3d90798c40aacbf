// The platform-free pump: PumpingSleep's deadline loop and log lines, the
// non-blocking pass, and the registry of event sources.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "fakes/fake_process_platform.h"
#include "services/seams/debug_log.h"
#include "services/seams/event_pump.h"
#include "services/seams/event_sources.h"

namespace tolm {
namespace {

using Clock = std::chrono::steady_clock;
using process_fakes::FakePump;

// Runs body with the diagnostic log switched on into a fresh file; returns
// what was logged.
template <typename Body>
std::string Logged(Body body) {
  std::string path = ::testing::TempDir() + "pump_sleep_test." + std::to_string(getpid()) + ".log";
  std::remove(path.c_str());
  DebugLogPath = path;
  DebugLogEnabled = true;
  body();
  DebugLogEnabled = false;
  DebugLogPath = kDefaultDebugLogPath;
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  std::remove(path.c_str());
  return text.str();
}

long long MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

TEST(PumpingSleepTest, NonPositiveDurationMakesOneNonBlockingPass) {
  for (int ms : {0, -5}) {
    FakePump pump;
    std::string log = Logged([ms] { PumpingSleep(ms); });
    EXPECT_EQ(pump.deadlines.size(), 1u) << ms;
    EXPECT_EQ(pump.NonBlockingPasses(), 1) << ms;
    EXPECT_EQ(log, "") << ms;
  }
}

TEST(PumpingSleepTest, LogsEachWakeAndSleepsToTheSameDeadline) {
  FakePump pump;
  // The first answers the non-blocking pass. The sleep is long enough that
  // both event wakes come before the deadline even on a loaded machine.
  pump.wakes = {false, true, true};
  Clock::time_point start = Clock::now();
  std::string log = Logged([] { PumpingSleep(400); });
  EXPECT_GE(MillisecondsSince(start), 400);
  EXPECT_EQ(log,
            "MsgWaitForMultipleObjects() returned 0\r\nMsgWaitForMultipleObjects() returned 0\r\n"
            "MsgWaitForMultipleObjects() returned 258\r\n");
  ASSERT_EQ(pump.deadlines.size(), 4u);
  EXPECT_EQ(pump.NonBlockingPasses(), 1);
  EXPECT_EQ(pump.deadlines[1], pump.deadlines[2]);
  EXPECT_EQ(pump.deadlines[2], pump.deadlines[3]);
}

TEST(PumpingSleepTest, WithoutABackendItStillSleeps) {
  Clock::time_point start = Clock::now();
  PumpingSleep(40);
  EXPECT_GE(MillisecondsSince(start), 40);
}

TEST(PumpWaitUntilTest, TheFarthestDeadlineMeansNoLimit) {
  FakePump pump;
  pump.wakes = {true};
  EXPECT_TRUE(PumpWaitUntil(Clock::time_point::max()));
  ASSERT_EQ(pump.deadlines.size(), 1u);
  EXPECT_FALSE(pump.deadlines[0].has_value());
}

TEST(EventSourcesTest, RegistrationLastsAsLongAsItsHandle) {
  int calls = 0;
  {
    EventSourceRegistration a = WatchEventSource(5, [&calls] { ++calls; });
    EventSourceRegistration b = WatchEventSource(6, [] {});
    std::vector<EventSource> sources = RegisteredEventSources();
    ASSERT_EQ(sources.size(), 2u);
    EXPECT_EQ(sources[0].fd, 5);
    EXPECT_EQ(sources[1].fd, 6);
    sources[0].onReady();
    EXPECT_EQ(calls, 1);

    EventSourceRegistration moved = std::move(a);
    EXPECT_EQ(RegisteredEventSources().size(), 2u) << "a move keeps the source";
    b = EventSourceRegistration();
    ASSERT_EQ(RegisteredEventSources().size(), 1u) << "assigning over a handle drops its source";
    EXPECT_TRUE(IsEventSourceRegistered(RegisteredEventSources()[0].id));
  }
  EXPECT_TRUE(RegisteredEventSources().empty());
}

}  // namespace
}  // namespace tolm
