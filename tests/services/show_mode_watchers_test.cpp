// Show-mode watcher threads: tracked until they end, waited for at the end
// of a run, and a thread that cannot start is a failure of our own.
#include <gtest/gtest.h>

#include <pthread.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <string>
#include <thread>

#include "services/core/errors.h"
#include "services/seams/show_mode.h"

namespace tolm {
namespace {

using namespace std::chrono_literals;

TEST(ShowModeWatchersTest, FinishWaitsForEveryWatcherEvenOneThatFails) {
  std::atomic<int> finished{0};
  for (auto work : {30ms, 80ms, 10ms})
    StartShowModeWatcher([work, &finished] {
      std::this_thread::sleep_for(work);  // a watcher busy with its window
      ++finished;
    });
  StartShowModeWatcher([] { throw Exception("no display"); });
  FinishShowModeWatchers();
  EXPECT_EQ(finished.load(), 3);
  EXPECT_EQ(RunningShowModeWatchers(), 0u);
  FinishShowModeWatchers();  // nothing left: returns at once
}

// The size of this process's address space, from /proc/self/statm (pages).
rlim_t AddressSpaceBytes() {
  std::ifstream statm("/proc/self/statm");
  unsigned long pages = 0;
  statm >> pages;
  return static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE));
}

// In a child process whose address space cannot take a new thread's stack,
// starting a watcher fails with our own exception; the child writes its
// message to a pipe.
TEST(ShowModeWatchersTest, AThreadThatCannotStartIsAnExceptionWithAClearMessage) {
  int pipeFds[2];
  ASSERT_EQ(pipe(pipeFds), 0);
  pid_t pid = fork();
  if (pid == 0) {
    close(pipeFds[0]);
    std::string message = "no exception";
    std::string reserve(4096, 'x');  // room for the message, taken before the limit
    // Threads get stacks larger than any this process has cached, and the
    // address space may grow by less than one.
    pthread_attr_t attr;
    if (pthread_attr_init(&attr) != 0 || pthread_attr_setstacksize(&attr, 64u << 20) != 0 ||
        pthread_setattr_default_np(&attr) != 0)
      _exit(2);
    rlimit limit{AddressSpaceBytes() + (2u << 20), RLIM_INFINITY};
    if (setrlimit(RLIMIT_AS, &limit) != 0) _exit(2);
    try {
      StartShowModeWatcher([] {});
    } catch (const Exception& e) {
      message = e.Message();
    } catch (...) {
      message = "another exception";
    }
    ssize_t written = write(pipeFds[1], message.data(), message.size());
    _exit(written == static_cast<ssize_t>(message.size()) && RunningShowModeWatchers() == 0 ? 0 : 1);
  }
  close(pipeFds[1]);
  std::string message;
  char buffer[256];
  for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;) message.append(buffer, static_cast<size_t>(n));
  close(pipeFds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  EXPECT_EQ(message, "Could not start the show-mode watcher: Resource temporarily unavailable");
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

}  // namespace
}  // namespace tolm
