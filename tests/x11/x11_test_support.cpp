#include "x11_test_support.h"

#include <X11/Xutil.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <thread>

#include "services/desktop/x11/x11_properties.h"

extern char** environ;

namespace tolm::testing {

bool WaitUntil(const std::function<bool()>& cond, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!cond()) {
    if (std::chrono::steady_clock::now() >= deadline) return cond();
    std::this_thread::sleep_for(10ms);
  }
  return true;
}

std::optional<int> WaitForExit(pid_t pid, std::chrono::milliseconds timeout) {
  std::optional<int> status;
  WaitUntil(
      [&] {
        int raw = 0;
        if (waitpid(pid, &raw, WNOHANG) == pid) status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
        return status.has_value();
      },
      timeout);
  return status;
}

std::string UniqueTitle(const std::string& what) {
  static std::atomic<int> counter{0};
  return "tolm-" + what + "-" + std::to_string(getpid()) + "-" + std::to_string(++counter);
}

TestWindowProcess::TestWindowProcess(const std::string& title, const std::vector<std::string>& extra,
                                     const std::function<void(pid_t)>& onSpawned)
    : title_(title) {
  std::vector<std::string> args{TOLM_TESTWIN, "--title",    title,
                                "--class",    "TolmTest", "--log",
                                dir_.File("keys.log"), "--pid-file", dir_.File("pid")};
  args.insert(args.end(), extra.begin(), extra.end());
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  if (posix_spawn(&pid_, TOLM_TESTWIN, nullptr, nullptr, argv.data(), environ) != 0) {
    throw std::runtime_error("cannot start " TOLM_TESTWIN);
  }
  if (onSpawned) onSpawned(pid_);
  const std::string pidFile = dir_.File("pid");
  if (!WaitUntil([&] { return std::filesystem::exists(pidFile); }, 10s)) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    throw std::runtime_error("the test window did not come up");
  }
}

TestWindowProcess::~TestWindowProcess() {
  if (!status_) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
}

std::optional<int> TestWindowProcess::WaitExit(std::chrono::milliseconds timeout) {
  if (!status_) status_ = WaitForExit(pid_, timeout);
  return status_;
}

std::vector<std::string> TestWindowProcess::LogLines() const {
  std::vector<std::string> lines;
  std::ifstream in(dir_.File("keys.log"), std::ios::binary);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> TestWindowProcess::WaitForLogLines(size_t count, std::chrono::milliseconds timeout) const {
  WaitUntil([&] { return LogLines().size() >= count; }, timeout);
  // A little longer, so that lines beyond the expected ones show up in a failure.
  std::this_thread::sleep_for(50ms);
  return LogLines();
}

XProbe::XProbe() : display_(OpenDisplay("the tests need")) {}

bool XProbe::HasWindowManager() const {
  return WindowManagerSupports(Get(), Atom("_NET_ACTIVE_WINDOW"));
}

Window XProbe::Focus() const {
  Window focus = None;
  int revert = 0;
  XGetInputFocus(Get(), &focus, &revert);
  return focus;
}

int XProbe::MapState(Window window) const {
  XWindowAttributes attributes;
  if (XGetWindowAttributes(Get(), window, &attributes) == 0) return -1;
  return attributes.map_state;
}

std::vector<unsigned long> XProbe::Property(Window window, const char* name) const {
  return PropertyItems(Get(), window, Atom(name));
}

unsigned long XProbe::Atom(const char* name) const { return XInternAtom(Get(), name, False); }

}  // namespace tolm::testing
