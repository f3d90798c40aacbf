// Qt's loop serves the program's waits: during a wait on the pump, Qt's
// timers run and posted events are delivered, a ready source still ends the
// wait, the deadline still holds, and no one polls.
#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>

#include "services/seams/event_pump.h"
#include "services/seams/event_sources.h"
#include "services/platform/linux/linux_pump.h"
#include "services/platform/posix/unique_fd.h"
#include "services/seams/toolkit_loop.h"
#include "ui/qt/event_bridge.h"

namespace tolm::testing {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class QtEventBridgeTest : public ::testing::Test {
 protected:
  QtEventBridgeTest() { SetPumpBackend(&pump_); }
  ~QtEventBridgeTest() override { SetPumpBackend(nullptr); }
  LinuxPump pump_;
  EventBridge bridge_;  // after the pump: it watches the pump's close requests
};

struct Pipe {
  UniqueFd read, write;
  Pipe() {
    int fds[2];
    if (pipe(fds) == 0) {
      read = UniqueFd(fds[0]);
      write = UniqueFd(fds[1]);
    }
  }
};

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

TEST_F(QtEventBridgeTest, QtTimersRunDuringAWaitThatAReadySourceEnds) {
  Pipe pipe;
  ASSERT_TRUE(pipe.read.Valid());
  bool ready = false;
  EventSourceRegistration watch = WatchEventSource(pipe.read.Get(), [&] {
    char c;
    ready = read(pipe.read.Get(), &c, 1) == 1;
  });
  int ticks = 0;
  QTimer ticker;
  QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
  ticker.start(5);
  // A Qt timer makes the source ready, as a child's exit or a keystroke would.
  QTimer::singleShot(60, [&] { EXPECT_EQ(write(pipe.write.Get(), "x", 1), 1); });

  const Clock::time_point start = Clock::now();
  while (!ready && Clock::now() - start < 5s) PumpWaitUntil(start + 5s);
  EXPECT_TRUE(ready);
  EXPECT_LT(Clock::now() - start, 2s);
  EXPECT_GE(ticks, 3) << "Qt's timers ran while the program waited";
}

TEST_F(QtEventBridgeTest, AWaitEndsAtItsDeadlineServingPostedEventsWithoutPolling) {
  bool delivered = false;
  QMetaObject::invokeMethod(QCoreApplication::instance(), [&] { delivered = true; }, Qt::QueuedConnection);
  const double cpuBefore = CpuSeconds();
  const Clock::time_point start = Clock::now();
  const Clock::time_point deadline = start + 300ms;
  bool woke = false;
  while (Clock::now() < deadline) woke = PumpWaitUntil(deadline) || woke;
  const auto waited = Clock::now() - start;
  EXPECT_FALSE(woke);
  EXPECT_TRUE(delivered);
  EXPECT_GE(waited, 300ms);
  EXPECT_LT(waited, 1s);
  EXPECT_LT(CpuSeconds() - cpuBefore, 0.05) << "a quiet wait costs next to no CPU";
}

TEST_F(QtEventBridgeTest, APassWithoutWaitingDeliversPostedEvents) {
  bool delivered = false;
  QMetaObject::invokeMethod(QCoreApplication::instance(), [&] { delivered = true; }, Qt::QueuedConnection);
  ProcessPendingMessages();
  EXPECT_TRUE(delivered);
}

TEST_F(QtEventBridgeTest, TheBridgeDetachesWhenItGoes) {
  EXPECT_EQ(AttachedToolkitLoop(), &bridge_);
  {
    EventBridge inner;
    EXPECT_EQ(AttachedToolkitLoop(), &inner);
  }
  EXPECT_EQ(AttachedToolkitLoop(), nullptr);
  AttachToolkitLoop(&bridge_);
}

}  // namespace
}  // namespace tolm::testing
