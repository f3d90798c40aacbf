// Helpers for the tests that run against a real X server: the test window
// program as a child process, waiting with a deadline, and a connection of
// the test's own for looking at the server's state.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "services/desktop/x11/x11_display.h"

#include "support/run_tolm.h"

namespace tolm::testing {

using namespace std::chrono_literals;

// Polls cond every 10 ms until it holds or the time is up; returns its last value.
bool WaitUntil(const std::function<bool()>& cond, std::chrono::milliseconds timeout = 5s);

// The exit status of a child (the code, or 128 + the signal) once it has
// ended within the timeout; nullopt when it still runs.
std::optional<int> WaitForExit(pid_t pid, std::chrono::milliseconds timeout);

// A title no other test window has.
std::string UniqueTitle(const std::string& what);

// tolm_testwin as a child process; killed and reaped on destruction.
class TestWindowProcess {
 public:
  // Starts the program, calls onSpawned (if any) at once, and waits until
  // the window is mapped.
  TestWindowProcess(const std::string& title, const std::vector<std::string>& extra = {},
                    const std::function<void(pid_t)>& onSpawned = {});
  ~TestWindowProcess();
  TestWindowProcess(const TestWindowProcess&) = delete;
  TestWindowProcess& operator=(const TestWindowProcess&) = delete;

  pid_t Pid() const { return pid_; }
  const std::string& Title() const { return title_; }
  // The exit status (the code, or 128 + the signal) once it has ended.
  std::optional<int> WaitExit(std::chrono::milliseconds timeout = 5s);
  // The key log, one entry per line.
  std::vector<std::string> LogLines() const;
  // Waits until the log holds at least count lines, then returns them.
  std::vector<std::string> WaitForLogLines(size_t count, std::chrono::milliseconds timeout = 5s) const;

 private:
  TempDir dir_;
  std::string title_;
  pid_t pid_ = -1;
  std::optional<int> status_;
};

// The test's own connection, for checking what the code under test did.
class XProbe {
 public:
  XProbe();
  Display* Get() const { return display_.get(); }
  bool HasWindowManager() const;
  Window Focus() const;
  int MapState(Window window) const;  // IsUnmapped, IsUnviewable, IsViewable; -1 when gone
  std::vector<unsigned long> Property(Window window, const char* name) const;
  unsigned long Atom(const char* name) const;

 private:
  DisplayPtr display_;
};

}  // namespace tolm::testing
