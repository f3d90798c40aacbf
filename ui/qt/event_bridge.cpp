#include "ui/qt/event_bridge.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>

#include <climits>

#include "services/seams/event_pump.h"

namespace tolm {
namespace {

using Clock = std::chrono::steady_clock;

// Whole milliseconds until the deadline, rounded up so the wait never ends
// early, and at most what a timer takes (a longer wait is taken in parts by
// the pump's callers, which wait until their deadline).
int MillisecondsUntil(Clock::time_point deadline) {
  auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
  if (left <= 0) return 0;
  return left > INT_MAX ? INT_MAX : static_cast<int>(left);
}

}  // namespace

EventBridge::EventBridge() {
  int fd = PumpCloseRequestDescriptor();
  if (fd >= 0) {
    closeRequests_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    QObject::connect(closeRequests_.get(), &QSocketNotifier::activated, closeRequests_.get(),
                     [] { ServeCloseRequest(); });
  }
  AttachToolkitLoop(this);
}

EventBridge::~EventBridge() { AttachToolkitLoop(nullptr); }

void EventBridge::ServePending() noexcept {
  try {
    QCoreApplication::processEvents();
  } catch (...) {
    // Nothing may be thrown back into the program; Qt itself throws nothing here.
  }
}

void EventBridge::WaitReadable(const std::vector<int>& fds, std::optional<Clock::time_point> deadline) noexcept {
  try {
    QEventLoop loop;
    std::vector<std::unique_ptr<QSocketNotifier>> watches;
    for (int fd : fds) {
      watches.push_back(std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read));
      QObject::connect(watches.back().get(), &QSocketNotifier::activated, &loop, &QEventLoop::quit);
    }
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    if (deadline) {
      int ms = MillisecondsUntil(*deadline);
      if (ms == 0) {
        QCoreApplication::processEvents();
        return;
      }
      timer.start(ms);
    }
    loop.exec();
  } catch (...) {
    // As above: the pump's caller sees a wait that ended early and waits again.
  }
}

}  // namespace tolm
