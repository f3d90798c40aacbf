// tolm32 typing a huge repeat into a test window: it types at once, its
// memory stays flat, and a close request ends it at once, inside "/do" too,
// leaving no key held down.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <fstream>
#include <stdexcept>

#include "support/run_tolm.h"
#include "x11_test_support.h"

extern char** environ;

namespace tolm::testing {
namespace {

// tolm32 running a command file, as a child of the test; killed and reaped
// on destruction if it is still running.
class TolmProcess {
 public:
  explicit TolmProcess(const std::string& script) {
    std::vector<std::string> args{TOLM_BINARY, "--console", script};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, TOLM_BINARY, nullptr, nullptr, argv.data(), environ) != 0) {
      throw std::runtime_error("cannot start " TOLM_BINARY);
    }
  }
  ~TolmProcess() {
    if (!status_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }
  TolmProcess(const TolmProcess&) = delete;
  TolmProcess& operator=(const TolmProcess&) = delete;

  pid_t Pid() const { return pid_; }
  std::optional<int> WaitExit(std::chrono::milliseconds timeout) {
    WaitUntil(
        [&] {
          int status = 0;
          if (!status_ && waitpid(pid_, &status, WNOHANG) == pid_) {
            status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
          }
          return status_.has_value();
        },
        timeout);
    return status_;
  }
  // The peak resident memory so far, in kB (VmHWM); -1 when unknown.
  long PeakMemoryKb() const {
    std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
    for (std::string line; std::getline(status, line);) {
      if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    }
    return -1;
  }

 private:
  pid_t pid_ = -1;
  std::optional<int> status_;
};

// Whether any key of the server's keyboard is down.
bool AnyKeyDown(Display* d) {
  char keys[32] = {};
  XQueryKeymap(d, keys);
  return std::any_of(std::begin(keys), std::end(keys), [](char k) { return k != 0; });
}

TEST(X11SendKeysEndToEnd, AHugeRepeatTypesAtOnceInFlatMemoryUntilACloseRequest) {
  const struct {
    const char* what;
    const char* sendkeys;
    const char* key;  // what the window logs for each repetition
  } cases[] = {
      {"plain", "/sendkeys \"{x 2147483647}\"\n", "x"},
      {"inside /do", "/do {\n  /sendkeys \"{x 2147483647}\"\n} /while 1\n", "x"},
      {"SHIFT held", "/sendkeys \"+{x 2147483647}\"\n", "X"},
  };
  for (const auto& c : cases) {
    TempDir dir;
    TestWindowProcess window(UniqueTitle("bigrepeat"));
    const std::string script = dir.Write("big.tm", "/activate " + window.Title() + "\n" + c.sendkeys);
    TolmProcess tolm(script);

    // Typing starts at once: no key code string is built first.
    ASSERT_TRUE(WaitUntil([&] { return window.LogLines().size() >= 1000; })) << c.what;
    const long early = tolm.PeakMemoryKb();
    ASSERT_TRUE(WaitUntil([&] { return window.LogLines().size() >= 6000; }, 20s)) << c.what;
    const long later = tolm.PeakMemoryKb();
    EXPECT_GT(early, 0) << c.what;
    EXPECT_LE(later - early, 1024) << c.what << ": peak memory grew from " << early << " kB to " << later << " kB";

    ASSERT_EQ(kill(tolm.Pid(), SIGTERM), 0);
    EXPECT_EQ(tolm.WaitExit(1s), std::optional<int>(143)) << c.what;
    const std::vector<std::string> lines = window.LogLines();
    const long shifts = std::count(lines.begin(), lines.end(), "Shift_L");
    EXPECT_EQ(shifts, c.key[0] == 'X' ? 1 : 0) << c.what;
    EXPECT_EQ(std::count(lines.begin(), lines.end(), c.key) + shifts, static_cast<long>(lines.size())) << c.what;
    // Whatever the moment of the close request, no key is left pressed.
    XProbe probe;
    EXPECT_TRUE(WaitUntil([&] { return !AnyKeyDown(probe.Get()); }, 1s)) << c.what;
  }
}

}  // namespace
}  // namespace tolm::testing
