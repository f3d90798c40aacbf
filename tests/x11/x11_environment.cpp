// Every test in this folder needs an X server. CI runs them under
// tools/with-xvfb.sh (with and without a window manager); when DISPLAY is not
// set, this environment starts a private Xvfb for the run instead, so that
// the tests never silently skip.
//
// The tests share the server's focus, keyboard layout and window manager, so
// two of them must not run at once (ctest -j starts one process per test):
// each process holds a lock named after the display for its whole run.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

#include "services/desktop/x11/x11_platform.h"

extern char** environ;

namespace tolm::testing {
namespace {

class X11Environment : public ::testing::Environment {
 public:
  void SetUp() override {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
      StartXvfb();
      // Stopped at exit, after the installed platform (created below, so
      // destroyed first) has closed its connection; closing it on a server
      // that is already gone would end the process with an I/O error.
      std::atexit(StopXvfb);
    }
    LockDisplay();
    InstallDesktop(OpenX11Desktop());
  }

 private:
  // Held until the process ends; the kernel drops it then.
  static void LockDisplay() {
    std::string name = std::getenv("DISPLAY");
    for (char& c : name) {
      if (c == '/' || c == ':') c = '_';
    }
    const std::string path = "/tmp/tolm-x11-tests" + name + ".lock";
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0 || flock(fd, LOCK_EX) != 0) throw std::runtime_error("cannot lock " + path);
  }

  static void StopXvfb() {
    kill(xvfb_, SIGTERM);
    waitpid(xvfb_, nullptr, 0);
  }

  void StartXvfb() {
    int fds[2];
    if (pipe(fds) != 0) throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // Close the read end first: it may itself be descriptor 3.
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 3);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const char* argv[] = {"Xvfb", "-displayfd", "3", "-screen", "0", "1280x1024x24", "+extension", "XTEST",
                          "-nolisten", "tcp", nullptr};
    const int rc = posix_spawnp(&xvfb_, "Xvfb", &actions, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (rc != 0) throw std::runtime_error("cannot start Xvfb");
    // Xvfb writes the display number once it accepts connections.
    std::string number;
    char c = 0;
    while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (number.empty()) throw std::runtime_error("Xvfb did not report a display");
    setenv("DISPLAY", (":" + number).c_str(), 1);
  }

  static inline pid_t xvfb_ = -1;
};

[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new X11Environment);

}  // namespace
}  // namespace tolm::testing
