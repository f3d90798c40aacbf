// Close requests (SIGTERM, SIGINT) end tolm32 at once, with 128 + the
// signal's number, wherever it waits: on a FIFO with no writer or no data, at
// a prompt on a terminal, in the middle of parsing a large file.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <utility>
#include <vector>
#include <gtest/gtest.h>

#include "support/run_tolm.h"

namespace tolm::testing {
namespace {

// A close request answered within this time counts as "at once".
constexpr int kPromptlyMs = 1000;

std::string MakeFifo(const TempDir& dir, const std::string& name) {
  std::string path = dir.File(name);
  if (mkfifo(path.c_str(), 0600) != 0) throw std::runtime_error("mkfifo failed");
  return path;
}

// A file descriptor closed when it goes.
struct Fd {
  int fd;
  ~Fd() {
    if (fd >= 0) close(fd);
  }
};

// Sends the signal and collects the end.
RunResult SignalAndWait(RunningProgram& tolm, int signal) {
  tolm.Signal(signal);
  return tolm.Wait(kPromptlyMs);
}

TEST(CloseRequest, EndsAWaitForAFifosWriter) {
  TempDir dir;
  std::string fifo = MakeFifo(dir, "in.tm");
  for (const std::vector<std::string>& args : {std::vector<std::string>{"--console", fifo},
                                                std::vector<std::string>{"--check", fifo}}) {
    RunningProgram tolm(TOLM_BINARY, args, dir.path());
    EXPECT_TRUE(tolm.WaitUntilOpen(fifo)) << "the open waits for a writer";
    RunResult r = SignalAndWait(tolm, SIGTERM);
    EXPECT_EQ(r.status, 143) << args[0] << " " << r.err;
  }
}

TEST(CloseRequest, EndsAWaitForMoreOfAFifo) {
  TempDir dir;
  std::string fifo = MakeFifo(dir, "in.tm");
  // Held open for writing, with the start of a script in it and no end.
  Fd writer{open(fifo.c_str(), O_RDWR | O_CLOEXEC)};
  ASSERT_GE(writer.fd, 0);
  const std::string start = "/set A=1\n/set B=2\n";
  ASSERT_EQ(write(writer.fd, start.data(), start.size()), static_cast<ssize_t>(start.size()));
  RunningProgram tolm(TOLM_BINARY, {"--console", fifo}, dir.path());
  ASSERT_TRUE(tolm.WaitUntilOpen(fifo));
  RunResult r = SignalAndWait(tolm, SIGTERM);
  EXPECT_EQ(r.status, 143) << r.err;
}

TEST(CloseRequest, AFifoThatIsWrittenAndClosedRuns) {
  TempDir dir;
  std::string fifo = MakeFifo(dir, "in.tm");
  Fd writer{open(fifo.c_str(), O_RDWR | O_CLOEXEC)};
  ASSERT_GE(writer.fd, 0);
  const std::string script = "sh /wait \"-c\" \"echo from the fifo >> log\"\n";
  ASSERT_EQ(write(writer.fd, script.data(), script.size()), static_cast<ssize_t>(script.size()));
  RunningProgram tolm(TOLM_BINARY, {"--console", fifo}, dir.path());
  // Closed only once tolm32 has it open, so that the text stays in the pipe.
  ASSERT_TRUE(tolm.WaitUntilOpen(fifo));
  close(std::exchange(writer.fd, -1));
  RunResult r = tolm.Wait(5000);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(dir.Read("log"), "from the fifo\n");
}

TEST(CloseRequest, EndsAPauseOnATerminal) {
  const int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  ASSERT_GE(master, 0);
  Fd masterFd{master};
  ASSERT_EQ(grantpt(master), 0);
  ASSERT_EQ(unlockpt(master), 0);
  Fd terminal{open(ptsname(master), O_RDWR | O_NOCTTY | O_CLOEXEC)};
  ASSERT_GE(terminal.fd, 0);

  RunningProgram paused(TOLM_BINARY, {"--console", "/pause", "hello"}, "", {}, terminal.fd);
  ASSERT_TRUE(paused.WaitForError("Press Enter to continue...")) << "no prompt";
  paused.Signal(SIGINT);
  RunResult r = paused.Wait(kPromptlyMs);
  EXPECT_EQ(r.status, 130) << r.err;

  // Enter still answers it.
  RunningProgram answered(TOLM_BINARY, {"--console", "/pause", "hello"}, "", {}, terminal.fd);
  ASSERT_TRUE(answered.WaitForError("Press Enter to continue...")) << "no prompt";
  ASSERT_EQ(write(master, "\n", 1), 1);
  EXPECT_EQ(answered.Wait(5000).status, 0);
}

TEST(CloseRequest, EndsTheCheckOfALargeFile) {
  TempDir dir;
  std::string text;
  for (int i = 0; i < 900000; ++i) text += "/set X=1\n";
  std::string big = dir.Write("big.tm", text);
  RunningProgram tolm(TOLM_BINARY, {"--check", big}, dir.path());
  // Once blocked, a close request waits for tolm32 to take it.
  ASSERT_TRUE(tolm.WaitUntilBlocked(SIGTERM));
  RunResult r = SignalAndWait(tolm, SIGTERM);
  EXPECT_EQ(r.status, 143) << r.err;
}

TEST(CloseRequest, ADebugLogFifoThatNobodyReadsFailsAtOnce) {
  TempDir dir;
  std::string fifo = MakeFifo(dir, "debug.log");
  std::string script = dir.Write("log.tm", "/set debug=\"" + fifo + "\"\n/kill no-such-program-xyz\n");
  RunningProgram tolm(TOLM_BINARY, {"--console", script}, dir.path());
  RunResult r = tolm.Wait(kPromptlyMs);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "TOLM32: ERROR: The following command: \n@ \"" + script + "\"\n" +
                       "Failed with the following error(s):\n" +
                       "ERROR: The following command: \n/kill no-such-program-xyz\nFailed with the following error(s):\n" +
                       "Cannot open file " + fifo + ": No such device or address\n");
}

}  // namespace
}  // namespace tolm::testing
