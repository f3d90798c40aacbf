// A show mode asked for by the last line that runs: tolm32 ends only after the
// mode has been applied, so a one-line command still gets it.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>

#include "services/seams/window_search.h"
#include "services/desktop/x11/x11_show_mode.h"
#include "support/run_tolm.h"
#include "x11_test_support.h"

namespace tolm::testing {
namespace {

bool IsMaximized(const XProbe& probe, Window w) {
  if (probe.HasWindowManager()) {
    const auto states = probe.Property(w, "_NET_WM_STATE");
    auto has = [&](const char* state) { return std::find(states.begin(), states.end(), probe.Atom(state)) != states.end(); };
    return has("_NET_WM_STATE_MAXIMIZED_VERT") && has("_NET_WM_STATE_MAXIMIZED_HORZ");
  }
  Display* d = probe.Get();
  XWindowAttributes a;
  return XGetWindowAttributes(d, w, &a) != 0 && a.width == DisplayWidth(d, DefaultScreen(d)) &&
         a.height == DisplayHeight(d, DefaultScreen(d));
}

TEST(X11ShowModeAtTheEnd, AOneLineCommandGetsItsShowModeBeforeTolm32Ends) {
  const std::string title = UniqueTitle("oneline");
  // The test window is found on PATH, so the line is a plain one: tolm_testwin /max "--title" "..."
  const std::string testwin = TOLM_TESTWIN;
  const std::string path = "PATH=" + testwin.substr(0, testwin.rfind('/')) + ":" + std::getenv("PATH");
  RunResult r = RunProgram("/usr/bin/env", {path, TOLM_BINARY, "--console", "tolm_testwin", "/max", "\"--title\"",
                                             "\"" + title + "\""});
  EXPECT_EQ(r.status, 0) << r.err;

  XProbe probe;
  WindowHandle handle = kNoWindow;
  ASSERT_TRUE(WaitUntil([&] { return (handle = FindWindowByTitle(title)) != kNoWindow; })) << "no window";
  const Window w = static_cast<Window>(handle);
  // The window manager acts on the request in its own time; without one the
  // resize is done when tolm32 ends.
  EXPECT_TRUE(WaitUntil([&] { return IsMaximized(probe, w); }, 2s));

  const auto pid = probe.Property(w, "_NET_WM_PID");
  ASSERT_EQ(pid.size(), 1u);
  kill(static_cast<pid_t>(pid[0]), SIGKILL);  // tolm32 left it running; it is not our child
}

TEST(X11ShowModeAtTheEnd, AProgramThatEndsWithoutAWindowDoesNotHoldUpTheEnd) {
  // The watch for a window of "true" would otherwise run its full time.
  const auto start = std::chrono::steady_clock::now();
  RunResult r = RunTolm({"--console", "true", "/max"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_LT(std::chrono::steady_clock::now() - start, kShowModeWatchTime / 2);
}

}  // namespace
}  // namespace tolm::testing
