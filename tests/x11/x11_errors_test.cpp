// The X error handler: errors about vanished windows pass silently, any
// other error (from any thread) reaches the diagnostic log through the event
// pump, and the program goes on either way.
#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <chrono>
#include <string>
#include <thread>

#include "services/seams/debug_log.h"
#include "services/seams/event_pump.h"
#include "services/platform/linux/linux_pump.h"
#include "services/desktop/x11/x11_display.h"
#include "services/desktop/x11/x11_errors.h"
#include "support/run_tolm.h"

namespace tolm::testing {
namespace {

using namespace std::chrono_literals;

constexpr Atom kNoSuchAtom = 0x7ffffff0;
constexpr Window kNoSuchWindow = 0x7ffffff1;
const std::string kBadAtomLine =
    "X error: BadAtom (invalid Atom parameter), request 17.0 X_GetAtomName, resource 0x7ffffff0\r\n";

// The real pump and a log in a fresh folder, for one test.
class X11ErrorLog : public ::testing::Test {
 protected:
  void SetUp() override {
    LogQueuedX11Errors();  // the log is still off: drops what earlier tests left
    SetPumpBackend(&pump_);
    DebugLogPath = dir_.File("debug.log");
    DebugLogEnabled = true;
  }
  void TearDown() override {
    SetPumpBackend(nullptr);
    DebugLogEnabled = false;
    DebugLogPath = kDefaultDebugLogPath;
  }
  std::string Log() const { return ReadFileText(DebugLogPath); }

  TempDir dir_;
  LinuxPump pump_;
};

// One error of each kind that only says a window has gone, then a real one.
void MakeErrors(Display* d) {
  XWindowAttributes attributes;
  XGetWindowAttributes(d, kNoSuchWindow, &attributes);  // BadWindow
  XGetGeometry(d, kNoSuchWindow, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
  const Window unmapped = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 5, 5, 0, 0, 0);
  XSetInputFocus(d, unmapped, RevertToParent, CurrentTime);  // BadMatch: not viewable
  XKillClient(d, kNoSuchWindow);                              // BadValue
  XDestroyWindow(d, unmapped);
  if (char* name = XGetAtomName(d, kNoSuchAtom)) XFree(name);  // BadAtom
  XSync(d, False);
}

TEST_F(X11ErrorLog, OnlyErrorsOtherThanVanishedWindowsAreLogged) {
  DisplayPtr display = OpenDisplay("the test needs");
  MakeErrors(display.get());
  EXPECT_TRUE(PumpWaitUntil(std::chrono::steady_clock::now() + 2s));
  EXPECT_EQ(Log(), kBadAtomLine);
}

TEST_F(X11ErrorLog, ErrorsOfOtherThreadsAreLoggedByTheMainThread) {
  std::thread([] { MakeErrors(OpenDisplay("the test needs").get()); }).join();
  EXPECT_TRUE(PumpWaitUntil(std::chrono::steady_clock::now() + 2s));
  EXPECT_EQ(Log(), kBadAtomLine);
}

TEST_F(X11ErrorLog, NothingIsWrittenWhenTheLogIsOff) {
  DebugLogEnabled = false;
  MakeErrors(OpenDisplay("the test needs").get());
  EXPECT_TRUE(PumpWaitUntil(std::chrono::steady_clock::now() + 2s));
  EXPECT_EQ(Log(), "");
  // The queue was emptied all the same: switching the log on later shows nothing old.
  DebugLogEnabled = true;
  EXPECT_FALSE(PumpWaitUntil(std::chrono::steady_clock::now() + 20ms));
  EXPECT_EQ(Log(), "");
}

TEST_F(X11ErrorLog, AFloodIsCutShortAndCounted) {
  DisplayPtr display = OpenDisplay("the test needs");
  for (int i = 0; i < 150; ++i) {
    if (char* name = XGetAtomName(display.get(), kNoSuchAtom)) XFree(name);
  }
  XSync(display.get(), False);
  EXPECT_TRUE(PumpWaitUntil(std::chrono::steady_clock::now() + 2s));
  std::string expected;
  for (int i = 0; i < 100; ++i) expected += kBadAtomLine;
  EXPECT_EQ(Log(), expected + "X error: 50 more errors not logged\r\n");
}

}  // namespace
}  // namespace tolm::testing
