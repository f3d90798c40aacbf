// The event pump on Windows: quit and close messages and console close
// requests end the program with their codes; waits wake for messages.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "services/seams/event_pump.h"
#include "services/platform/windows/win_close_requests.h"
#include "services/platform/windows/win_platform.h"
#include "services/platform/windows/win_pump.h"
#include "win_test_support.h"

namespace tolm {
namespace {

using wintest::InterceptEnd;
using wintest::ProgramEnded;

class WinPumpTest : public ::testing::Test {
 protected:
  void SetUp() override { InstallWindowsPlatform(); }
  // Empties the queue of what an earlier case left there.
  void TearDown() override {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
  }

  // The exit code the pump ends with after posting message, or -1.
  int EndCodeAfter(UINT message, WPARAM wParam) {
    PostThreadMessageA(GetCurrentThreadId(), message, wParam, 0);
    try {
      ProcessPendingMessages();
    } catch (const ProgramEnded& e) {
      return e.exitCode;
    }
    return -1;
  }

  InterceptEnd intercept;
};

TEST_F(WinPumpTest, QuitAndCloseMessagesEndTheProgramWithTheirCodes) {
  struct Case {
    UINT message;
    WPARAM wParam;
    int exitCode;
  };
  const Case cases[] = {
      {WM_QUIT, 7, 7},
      {WM_QUIT, 0, 0},
      {WM_CLOSE, 0, 0},
      {WM_SYSCOMMAND, SC_CLOSE, 61536},
      {WM_QUIT, 70000, 65535},  // beyond the range of exit codes
      {WM_SYSCOMMAND, SC_MINIMIZE, -1},
      {WM_USER + 5, 3, -1},
  };
  for (const Case& c : cases) EXPECT_EQ(EndCodeAfter(c.message, c.wParam), c.exitCode) << c.message << " " << c.wParam;
}

TEST_F(WinPumpTest, AQuitMessageEndsAWaitBeforeItsDeadline) {
  std::thread poster([thread = GetCurrentThreadId()] {
    Sleep(50);
    PostThreadMessageA(thread, WM_QUIT, 9, 0);
  });
  const auto start = std::chrono::steady_clock::now();
  int code = -1;
  try {
    PumpingSleep(5000);
  } catch (const ProgramEnded& e) {
    code = e.exitCode;
  }
  poster.join();
  EXPECT_EQ(code, 9);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
}

TEST_F(WinPumpTest, AConsoleCloseRequestEndsTheProgramAtTheNextEvent) {
  std::thread requester([] {
    Sleep(50);
    RequestClose(kExitCtrlC);
  });
  int code = -1;
  try {
    PumpingSleep(5000);
  } catch (const ProgramEnded& e) {
    code = e.exitCode;
  }
  requester.join();
  EXPECT_EQ(code, 130);
}

TEST_F(WinPumpTest, PumpingSleepLastsAtLeastItsTimeWhateverArrives) {
  std::thread poster([thread = GetCurrentThreadId()] {
    for (int i = 0; i < 5; ++i) {
      PostThreadMessageA(thread, WM_USER + 1, 0, 0);
      Sleep(20);
    }
  });
  const auto start = std::chrono::steady_clock::now();
  PumpingSleep(300);
  poster.join();
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(300));
}

}  // namespace
}  // namespace tolm
