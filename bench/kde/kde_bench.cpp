// Measures the KDE backend on a headless KWin (KWin's scripting interface
// for windows, its fake input for keys), in one run:
//   (a) finding one window by title among 200 windows (FindWindowByTitle,
//       the median of 20 searches; each search is one script run in KWin);
//   (b) typing a 2000-character key string into the test window, timed until
//       the last character has arrived in the window's key log, which is
//       checked to hold every character in order: with fake input bound for
//       it (as in a new run), then again with it in place.
//   (c) with an installed tolm32 named: the same through command files,
//       each run of the program timed whole (its start, the KDE module, the
//       bus): /activate of 1 of 200 windows (median of 10 runs), and a run
//       typing 2000 characters, until the last has arrived.
// kdotool, the KDE counterpart of xdotool, is not packaged in Debian 12, so
// there is nothing to compare with.
// Usage: kde_bench [path of tolm_wayland_testwin] [installed tolm32];
// bench/kde/run.sh installs tolm32, starts the session and authorises the
// benchmark for fake input first.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "bench/support/desktop_bench.h"
#include "services/seams/desktop.h"
#include "services/seams/keyboard.h"
#include "services/platform/linux/linux_platform.h"
#include "services/desktop/kde/kde_platform.h"
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
  std::printf("%-40s %9.3f ms (median of 20)\n", "find 1 of 200 windows by title", Median(ours));
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
  const char* names[] = {"typing-first", "typing-again"};
  const char* labels[] = {"type 2000 characters: tolm (first use)", "type 2000 characters: tolm (later use)"};
  for (int i = 0; i < 2; ++i) {
    const TestWindow w = StartTestWindow(testwin, "--app-id", dir, names[i], 0);
    tolm::WindowActivate(tolm::FindWindowByTitle(names[i]));
    const auto start = Clock::now();
    tolm::SendKeys(text);
    const double ms = Milliseconds(WaitForLog(w.log, text.size(), start));
    Report(labels[i], ms, Check(w.log, text), text.size());
    Stop(w);
  }
}

// Runs program (tolm32) on a command file and waits for its end; the wall
// time of the whole run, start-up included.
double TimeRun(const std::string& program, const std::string& file) {
  const auto start = Clock::now();
  if (Run({program, "--console", file}) != 0) throw std::runtime_error(program + " failed on " + file);
  return Milliseconds(Clock::now() - start);
}

std::string WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path) << text;
  return path;
}

// The installed tolm32 end to end: each run starts the program, loads the
// KDE module, connects to the bus and asks KWin, as a user's run does.
void BenchProgram(const std::string& testwin, const std::string& dir, const std::string& tolm) {
  const TestWindow many = StartTestWindow(testwin, "--app-id", dir, "program-search", 199);
  const std::string find = WriteFile(dir + "/find.tm", "/activate program-search 150\n");
  std::vector<double> runs;
  for (int i = 0; i < 10; ++i) runs.push_back(TimeRun(tolm, find));
  std::printf("%-40s %9.3f ms (median of 10 runs)\n", "tolm32: /activate 1 of 200 windows", Median(runs));
  Stop(many);
  const auto deadline = Clock::now() + 30s;
  while (tolm::FindWindows("program-search*", "*") > 0 && Clock::now() < deadline) std::this_thread::sleep_for(10ms);

  // 2000 characters in lines of 200: a command's text has at most 255.
  const std::string text = KeyText(2000);
  std::string script = "/activate program-typing\n";
  for (size_t i = 0; i < text.size(); i += 200) script += "/sendkeys \"" + text.substr(i, 200) + "\"\n";
  const std::string type = WriteFile(dir + "/type.tm", script);
  const TestWindow w = StartTestWindow(testwin, "--app-id", dir, "program-typing", 0);
  const auto start = Clock::now();
  TimeRun(tolm, type);
  const double ms = Milliseconds(WaitForLog(w.log, text.size(), start));
  Report("tolm32: type 2000 characters (a run)", ms, Check(w.log, text), text.size());
  Stop(w);
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
    std::fprintf(stderr, "usage: kde_bench <path of tolm_wayland_testwin> [installed tolm32]\n");
    return 2;
  }
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  try {
    tolm::InstallLinuxPlatform();
    tolm::DesktopBackend desktop;
    std::string reason;
    if (!tolm::OpenKdeDesktop(desktop, reason)) throw std::runtime_error("no KDE desktop: " + reason);
    tolm::InstallDesktop(desktop);
    char pattern[] = "/tmp/tolm-kde-bench-XXXXXX";
    const std::string dir = mkdtemp(pattern);
    BenchSearch(testwin, dir);
    BenchTyping(testwin, dir);
    if (argc > 2) BenchProgram(testwin, dir, argv[2]);
    std::filesystem::remove_all(dir);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kde_bench: %s\n", e.what());
    return 1;
  }
  return 0;
}
