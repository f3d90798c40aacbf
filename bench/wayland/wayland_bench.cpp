// Measures the Wayland backend on a wlroots compositor, and wtype beside it
// for typing, in one run:
//   (a) finding one window by title among 200 toplevels (FindWindowByTitle,
//       the median of 20 searches);
//   (b) typing a 2000-character key string into the test window, timed until
//       the last character has arrived in the window's key log, which is
//       checked to hold every character in order: wtype, then ours with a
//       keyboard created for it (as in a new run; both on a seat that had no
//       keyboard before), then ours again with that keyboard in place.
// Prints the times and how many characters arrived.
// Usage: wayland_bench [path of tolm_wayland_testwin].

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "bench/support/desktop_bench.h"
#include "services/seams/desktop.h"
#include "services/seams/keyboard.h"
#include "services/platform/linux/linux_platform.h"
#include "services/desktop/wayland/wayland_platform.h"
#include "services/seams/window_search.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;
using namespace bench;

void BenchSearch(const std::string& testwin, const std::string& dir) {
  const TestWindow w = StartTestWindow(testwin, "--app-id", dir, "search", 199);
  const std::string wanted = "search 150";
  if (tolm::FindWindowByTitle(wanted) == tolm::kNoWindow) throw std::runtime_error("our search found nothing");
  std::vector<double> ours;
  for (int i = 0; i < 20; ++i) {
    const auto start = Clock::now();
    tolm::FindWindowByTitle(wanted);
    ours.push_back(Milliseconds(Clock::now() - start));
  }
  std::printf("windows on the desktop: %d titled\n", tolm::FindWindows("*", "*"));
  std::printf("%-40s ours %9.3f ms (median of 20)\n", "find 1 of 200 windows by title", Median(ours));
  Stop(w);
  // The typing starts once the compositor has taken the 200 windows away.
  const auto deadline = Clock::now() + 30s;
  while (tolm::FindWindows("search*", "*") > 0 && Clock::now() < deadline) std::this_thread::sleep_for(10ms);
}

void Report(const char* who, double ms, const Arrival& a, size_t total) {
  std::printf("%-40s %9.3f ms   %zu of %zu characters arrived%s\n", who, ms, a.count, total,
              a.exact ? ", exactly in order" : ", NOT the text");
}

void BenchTyping(const std::string& testwin, const std::string& dir) {
  const std::string text = KeyText(2000);
  // wtype first, then ours: each creates its keyboard on a seat without one.
  const TestWindow theirs = StartTestWindow(testwin, "--app-id", dir, "typing-wtype", 0);
  tolm::WindowActivate(tolm::FindWindowByTitle("typing-wtype"));
  auto start = Clock::now();
  if (Run({"wtype", text}) != 0) throw std::runtime_error("wtype failed");
  const double theirsMs = Milliseconds(WaitForLog(theirs.log, text.size(), start));
  Report("type 2000 characters: wtype", theirsMs, Check(theirs.log, text), text.size());
  Stop(theirs);

  const TestWindow ours = StartTestWindow(testwin, "--app-id", dir, "typing-ours", 0);
  tolm::WindowActivate(tolm::FindWindowByTitle("typing-ours"));
  start = Clock::now();
  tolm::SendKeys(text);
  const double oursMs = Milliseconds(WaitForLog(ours.log, text.size(), start));
  Report("type 2000 characters: tolm (first use)", oursMs, Check(ours.log, text), text.size());
  Stop(ours);

  // Ours again, with the keyboard in place (a later key string of a run).
  const TestWindow again = StartTestWindow(testwin, "--app-id", dir, "typing-again", 0);
  tolm::WindowActivate(tolm::FindWindowByTitle("typing-again"));
  start = Clock::now();
  tolm::SendKeys(text);
  const double againMs = Milliseconds(WaitForLog(again.log, text.size(), start));
  Report("type 2000 characters: tolm (later use)", againMs, Check(again.log, text), text.size());
  Stop(again);
}

}  // namespace

int main(int argc, char** argv) {
#ifdef TOLM_WAYLAND_TESTWIN
  std::string testwin = TOLM_WAYLAND_TESTWIN;
#else
  std::string testwin;
#endif
  if (argc > 1) testwin = argv[1];
  if (testwin.empty()) {
    std::fprintf(stderr, "usage: wayland_bench <path of tolm_wayland_testwin>\n");
    return 2;
  }
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  try {
    tolm::InstallLinuxPlatform();
    tolm::DesktopBackend desktop;
    std::string reason;
    if (!tolm::OpenWaylandDesktop(desktop, reason)) throw std::runtime_error("no Wayland desktop: " + reason);
    tolm::InstallDesktop(desktop);
    char pattern[] = "/tmp/tolm-wayland-bench-XXXXXX";
    const std::string dir = mkdtemp(pattern);
    BenchSearch(testwin, dir);
    BenchTyping(testwin, dir);
    std::filesystem::remove_all(dir);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "wayland_bench: %s\n", e.what());
    return 1;
  }
  return 0;
}
