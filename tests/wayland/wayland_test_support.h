// Helpers for the tests that run against a real Wayland compositor
// (tools/with-sway.sh starts a headless sway): skipping without one, waiting
// on a condition, running command files through tolm32, and the
// Wayland test window as a child process.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "support/run_tolm.h"

namespace tolm::testing {

using namespace std::chrono_literals;

// Whether the private compositor of tools/with-sway.sh runs (WAYLAND_DISPLAY
// and TOLM_TEST_COMPOSITOR=headless-sway); the tests that need one skip
// themselves otherwise.
bool HaveCompositor();
#define TOLM_REQUIRE_COMPOSITOR()                                                   \
  do {                                                                              \
    if (!::tolm::testing::HaveCompositor()) GTEST_SKIP() << "no Wayland compositor"; \
  } while (0)

// Polls cond every 10 ms until it holds or the time is up; returns its last value.
bool WaitUntil(const std::function<bool()>& cond, std::chrono::milliseconds timeout = 5s);

// A title no other test window has.
std::string UniqueTitle(const std::string& what);

// The lines of a file (without their line ends); empty when it is missing.
std::vector<std::string> ReadLines(const std::string& path);

// Runs a command file of tests/wayland/scripts through tolm32 --console,
// with the test window's folder on PATH and the extra environment entries.
RunResult RunScript(const std::string& name, const std::vector<std::string>& env, int timeoutSeconds = 30);

// tolm_wayland_testwin as a child process; killed and reaped on destruction.
class WaylandTestWindow {
 public:
  // Starts the window and waits until it is mapped.
  explicit WaylandTestWindow(const std::string& title, const std::vector<std::string>& extra = {});
  ~WaylandTestWindow();
  WaylandTestWindow(const WaylandTestWindow&) = delete;
  WaylandTestWindow& operator=(const WaylandTestWindow&) = delete;

  pid_t Pid() const { return pid_; }
  const std::string& Title() const { return title_; }
  std::vector<std::string> LogLines() const { return ReadLines(dir_.File("keys.log")); }
  // The exit status once it has ended within the timeout.
  std::optional<int> WaitExit(std::chrono::milliseconds timeout = 5s);

 private:
  TempDir dir_;
  std::string title_;
  pid_t pid_ = -1;
  std::optional<int> status_;
};

}  // namespace tolm::testing
