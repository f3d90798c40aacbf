// Compares the X11 backend with xdotool on the same X server in one run:
//   (a) finding one window by title among 1000 titled windows
//       (FindWindowByTitle against `xdotool search --name`),
//   (b) typing a 2000-character key string into the test window, timed until
//       the last character has arrived in the window's key log, which must
//       hold every character in order (SendKeys against `xdotool type` with
//       its default settings).
// Prints the times and the ratios. Usage: x11_bench [path of tolm_testwin].

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "bench/support/desktop_bench.h"
#include "services/core/errors.h"
#include "services/seams/keyboard.h"
#include "services/seams/window_search.h"
#include "services/desktop/x11/x11_platform.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;
using namespace bench;

void Report(const char* what, double ours, double theirs, double target) {
  std::printf("%-34s ours %10.3f ms   xdotool %10.3f ms   ratio %7.1fx (target >= %.0fx)\n", what, ours, theirs,
              theirs / ours, target);
}

void BenchSearch(const std::string& testwin, const std::string& dir) {
  const TestWindow w = StartTestWindow(testwin, "--class", dir, "search", 1000);
  const std::string wanted = "search 1000";
  constexpr int kRounds = 20;
  // Both find the one window, and agree on it.
  const tolm::WindowHandle found = tolm::FindWindowByTitle(wanted);
  if (found == tolm::kNoWindow) throw std::runtime_error("our search found nothing");
  // Rounds alternate between the two, so that both see the same load; the
  // medians are compared.
  std::vector<double> ours, theirs;
  for (int i = 0; i < kRounds; ++i) {
    auto start = Clock::now();
    tolm::FindWindowByTitle(wanted);
    ours.push_back(Milliseconds(Clock::now() - start));
    start = Clock::now();
    if (Run({"xdotool", "search", "--name", "^" + wanted + "$"}, "/dev/null") != 0) {
      throw std::runtime_error("xdotool search found nothing");
    }
    theirs.push_back(Milliseconds(Clock::now() - start));
  }
  std::printf("windows on the desktop: %d titled\n", tolm::FindWindows("*", "*"));
  Report("find 1 of 1000 windows by title", Median(ours), Median(theirs), 5);
  Stop(w);
}

void Verify(const std::string& log, const std::string& text, const char* who) {
  if (!Check(log, text).exact) throw std::runtime_error(std::string(who) + ": the characters arrived wrong");
}

void BenchTyping(const std::string& testwin, const std::string& dir) {
  const std::string text = KeyText(2000);
  const TestWindow ours = StartTestWindow(testwin, "--class", dir, "typing-ours", 0);
  tolm::WindowActivate(tolm::FindWindowByTitle("typing-ours"));
  std::this_thread::sleep_for(100ms);
  auto start = Clock::now();
  tolm::SendKeys(text);
  const double oursMs = Milliseconds(WaitForLog(ours.log, text.size(), start));
  Verify(ours.log, text, "ours");
  Stop(ours);

  const TestWindow theirs = StartTestWindow(testwin, "--class", dir, "typing-xdotool", 0);
  tolm::WindowActivate(tolm::FindWindowByTitle("typing-xdotool"));
  std::this_thread::sleep_for(100ms);
  start = Clock::now();
  if (Run({"xdotool", "type", text}) != 0) throw std::runtime_error("xdotool type failed");
  const double theirsMs = Milliseconds(WaitForLog(theirs.log, text.size(), start));
  Verify(theirs.log, text, "xdotool");
  Stop(theirs);
  Report("type 2000 characters, all arrived", oursMs, theirsMs, 10);
}

}  // namespace

int main(int argc, char** argv) {
#ifdef TOLM_TESTWIN
  std::string testwin = TOLM_TESTWIN;
#else
  std::string testwin;
#endif
  if (argc > 1) testwin = argv[1];
  if (testwin.empty()) {
    std::fprintf(stderr, "usage: x11_bench <path of tolm_testwin>\n");
    return 2;
  }
  try {
    tolm::InstallDesktop(tolm::OpenX11Desktop());
    char pattern[] = "/tmp/tolm-x11-bench-XXXXXX";
    const std::string dir = mkdtemp(pattern);
    BenchSearch(testwin, dir);
    BenchTyping(testwin, dir);
    std::filesystem::remove_all(dir);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "x11_bench: %s\n", e.what());
    return 1;
  }
  return 0;
}
