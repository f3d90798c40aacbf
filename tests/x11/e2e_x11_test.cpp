// Command files run by tolm32 against real test windows: wait for a window,
// activate it, type into it, close it, wait for it to go; end one with
// /killwindow. The typed keys are compared with what the window received.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include "services/seams/window_search.h"
#include "support/run_tolm.h"
#include "x11_test_support.h"

extern char** environ;

namespace tolm::testing {
namespace {

// A diagnostic log that cannot be written fails the command that writes to
// it, here the first key command (whose desktop says which it is), with the
// log's reason: the same status and text as on Wayland.
TEST(X11EndToEnd, ADebugLogThatCannotBeWrittenFailsTheKeyCommandWithItsReason) {
  TempDir dir;
  const std::string script = dir.Write("log.tm", "/set debug=\"/nonexistent-dir/x.log\"\n/sendkeys \"a\"\n");
  RunResult r = RunTolm({"--console", script}, dir.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "TOLM32: ERROR: The following command: \n@ \"" + script +
                       "\"\nFailed with the following error(s):\n"
                       "ERROR: The following command: \n/sendkeys \"a\"\nFailed with the following error(s):\n"
                       "Cannot open file /nonexistent-dir/x.log: No such file or directory\n");
}

TEST(X11EndToEnd, WaitActivateTypeCloseAndWaitClose) {
  TempDir dir;
  const std::string title = UniqueTitle("e2e");
  const std::string log = dir.File("keys.log");
  std::string script =
      "\"" TOLM_TESTWIN "\" \"--title\" \"" + title + "\" \"--class\" TolmE2E \"--log\" \"" + log + "\"\n"
      "/waitfor " + title + "\n"
      "/activate " + title + "\n"
      "/sendkeys Hi, +tolm{TAB 2}^a%(fx)~{F5}\n"
      "/close " + title + "\n"
      "/waitclose " + title + "\n"
      "/waitall\n"
      "/if errorlevel() ne 0 {\n  /pause the window did not end cleanly\n}\n";
  RunResult r = RunTolm({"--console", dir.Write("e2e.tm", "/set waitinternval=20\n" + script)}, dir.path());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(ReadFileText(log),
            "Shift_L\nH\ni\n,\n \nShift_L\nT\no\nl\nm\nTab\nTab\nControl_L\nC-a\nAlt_L\nM-f\nM-x\nReturn\nF5\n");
}

TEST(X11EndToEnd, KillWindowEndsTheProgramAndMissingWindowsAreReported) {
  TempDir dir;
  const std::string title = UniqueTitle("e2ekill");
  std::string script =
      "/set waitinternval=20\n"
      "\"" TOLM_TESTWIN "\" \"--title\" \"" + title + "\" \"--class\" TolmE2E\n"
      "/waitfor " + title + "\n"
      "/killwindow " + title + "\n"
      "/waitclose " + title + "\n"
      "/waitall\n"
      "/if errorlevel() eq 0 {\n  /pause a killed client should not end cleanly\n}\n"
      "/activate /warn " + title + "\n"
      "/close " + title + "\n";
  RunResult r = RunTolm({"--console", dir.Write("kill.tm", script)}, dir.path());
  EXPECT_EQ(r.status, 1);
  // The killed test window's own Xlib complaint may come first on the shared stream.
  const std::string expected =
            "/activate could not find \"" + title + "\" window\n"
            "TOLM32: ERROR: The following command: \n@ \"" + dir.File("kill.tm") + "\"\n"
            "Failed with the following error(s):\n"
            "ERROR: The following command: \n/close " + title + "\n"
            "Failed with the following error(s):\n"
            "/close could not find \"" + title + "\" window\n";
  ASSERT_GE(r.err.size(), expected.size()) << r.err;
  EXPECT_EQ(r.err.substr(r.err.size() - expected.size()), expected);
}

// Whether the event says that tolm32 is acting on window: it raised it (no
// window manager) or asked the manager to activate it. Either way it then
// waits up to half a second for the window, which never becomes ready.
bool ActsOn(const XEvent& event, Window window, unsigned long activeWindow) {
  if (event.type == ConfigureNotify) return event.xconfigure.window == window;
  return event.type == ClientMessage && event.xclient.window == window && event.xclient.message_type == activeWindow;
}

TEST(X11EndToEnd, ACloseRequestEndsAWaitForAWindowAtOnce) {
  TempDir dir;
  TestWindowProcess window(UniqueTitle("e2eterm"), {"--unmapped", "1"});
  const std::string unmapped = window.Title() + " unmapped 1";
  const auto target = static_cast<Window>(FindWindowByTitle(unmapped));
  ASSERT_NE(target, static_cast<Window>(kNoWindow));
  XProbe probe;
  Display* d = probe.Get();
  // A window of the probe's above it, so that raising it changes the stacking and is reported.
  XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 5, 5, 0, 0, 0);
  XSelectInput(d, DefaultRootWindow(d), SubstructureNotifyMask);
  XSync(d, False);

  std::string script;
  for (int i = 0; i < 20; ++i) script += "/activate " + unmapped + "\n";
  const std::string path = dir.Write("term.tm", script);
  const char* argv[] = {TOLM_BINARY, "--console", path.c_str(), nullptr};
  pid_t pid = -1;
  ASSERT_EQ(posix_spawn(&pid, TOLM_BINARY, nullptr, nullptr, const_cast<char**>(argv), environ), 0);

  bool acting = false;
  const auto deadline = std::chrono::steady_clock::now() + 5s;
  while (!acting && std::chrono::steady_clock::now() < deadline) {
    pollfd fd{ConnectionNumber(d), POLLIN, 0};
    if (XPending(d) == 0) poll(&fd, 1, 100);
    while (!acting && XPending(d) > 0) {
      XEvent event;
      XNextEvent(d, &event);
      acting = ActsOn(event, target, probe.Atom("_NET_ACTIVE_WINDOW"));
    }
  }
  const auto sent = std::chrono::steady_clock::now();
  kill(pid, SIGTERM);
  const std::optional<int> status = WaitForExit(pid, 10s);
  const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - sent);
  if (!status) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
  ASSERT_TRUE(acting) << "tolm32 never acted on the window";
  EXPECT_EQ(status, 143);
  // The wait is half a second; ending it at once takes a few milliseconds.
  EXPECT_LT(took.count(), 250) << (probe.HasWindowManager() ? "window manager" : "no window manager");
}

}  // namespace
}  // namespace tolm::testing
