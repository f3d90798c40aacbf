#include "wayland_test_support.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace tolm::testing {

bool HaveCompositor() {
  // Only the private compositor of tools/with-sway.sh: these tests type into
  // the focused window, which must never be one of a user's session.
  const char* name = std::getenv("WAYLAND_DISPLAY");
  const char* marker = std::getenv("TOLM_TEST_COMPOSITOR");
  return name != nullptr && *name != '\0' && marker != nullptr && std::string(marker) == "headless-sway";
}

bool WaitUntil(const std::function<bool()>& cond, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!cond()) {
    if (std::chrono::steady_clock::now() >= deadline) return cond();
    std::this_thread::sleep_for(10ms);
  }
  return true;
}

std::string UniqueTitle(const std::string& what) {
  static std::atomic<int> counter{0};
  return "tolm-" + what + "-" + std::to_string(getpid()) + "-" + std::to_string(++counter);
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path, std::ios::binary);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

RunResult RunScript(const std::string& name, const std::vector<std::string>& env, int timeoutSeconds) {
  // Set here: a child takes the first of two entries of one name.
  static const bool pathSet = [] {
    const std::string testwin = TOLM_WAYLAND_TESTWIN;
    const std::string path = testwin.substr(0, testwin.rfind('/')) + ":" + std::getenv("PATH");
    return setenv("PATH", path.c_str(), 1) == 0;
  }();
  if (!pathSet) throw std::runtime_error("cannot set PATH");
  return RunProgram(TOLM_BINARY, {"--console", std::string(TOLM_WAYLAND_SCRIPTS) + "/" + name}, "", env, timeoutSeconds);
}

WaylandTestWindow::WaylandTestWindow(const std::string& title, const std::vector<std::string>& extra)
    : title_(title) {
  std::vector<std::string> args{TOLM_WAYLAND_TESTWIN, "--title", title, "--log", dir_.File("keys.log"),
                                "--pid-file", dir_.File("pid")};
  args.insert(args.end(), extra.begin(), extra.end());
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  if (posix_spawn(&pid_, TOLM_WAYLAND_TESTWIN, nullptr, nullptr, argv.data(), environ) != 0) {
    throw std::runtime_error("cannot start " TOLM_WAYLAND_TESTWIN);
  }
  const std::string pidFile = dir_.File("pid");
  if (!WaitUntil([&] { return std::filesystem::exists(pidFile); }, 10s)) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    throw std::runtime_error("the Wayland test window did not come up");
  }
}

WaylandTestWindow::~WaylandTestWindow() {
  if (!status_) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
}

std::optional<int> WaylandTestWindow::WaitExit(std::chrono::milliseconds timeout) {
  WaitUntil(
      [&] {
        int raw = 0;
        if (!status_ && waitpid(pid_, &raw, WNOHANG) == pid_) {
          status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
        }
        return status_.has_value();
      },
      timeout);
  return status_;
}

}  // namespace tolm::testing
