// Measures the GNOME backend on a headless gnome-shell (our extension for
// windows, Mutter's remote desktop session for keys), in one run:
//   (a) finding one window by title among 200 windows (FindWindowByTitle, the
//       median of 20 searches): with the window list unchanged since the last
//       search (one small call), and with it asked for afresh each time;
//   (b) the first key of a fresh run: tolm32 started with "/sendkeys q", timed
//       from its start until the key has arrived in the focused test window
//       (the median of 10 runs), with the extension's keyboard on the seat
//       and, with the extension switched off, on a seat without a keyboard;
//   (c) typing a 2000-character key string into the test window, timed until
//       the last character has arrived in the window's key log, which is
//       checked to hold every character in order: the first key string of
//       the process (which starts the session), then another.
// Nothing in Debian 12 types into GNOME's native windows to compare with:
// wtype needs the virtual keyboard protocol, which Mutter does not offer (it
// is tried, and its answer printed), and ydotool needs /dev/uinput.
// Usage: gnome_bench <tolm_wayland_testwin> <tolm32>; bench/gnome/run.sh
// builds them, installs the extension and starts the session.

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
#include "services/desktop/dbus/dbus_connection.h"
#include "services/desktop/gnome/gnome_platform.h"
#include "services/desktop/gnome/gnome_windows.h"
#include "services/desktop/gnome/shell_extension.h"
#include "services/desktop/wayland/wayland_connection.h"
#include "services/platform/linux/linux_platform.h"
#include "services/seams/desktop.h"
#include "services/seams/keyboard.h"
#include "services/seams/window_search.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;
using namespace bench;

// The window once GNOME Shell lists it.
tolm::WindowHandle Listed(const std::string& title) {
  const auto deadline = Clock::now() + 30s;
  for (;;) {
    const tolm::WindowHandle window = tolm::FindWindowByTitle(title);
    if (window != tolm::kNoWindow) return window;
    if (Clock::now() > deadline) throw std::runtime_error("GNOME Shell does not list " + title);
    std::this_thread::sleep_for(10ms);
  }
}

void BenchSearch(const std::string& testwin, const std::string& dir, const tolm::DesktopBackend& desktop,
                 tolm::ShellExtension& shell) {
  const TestWindow w = StartTestWindow(testwin, "--app-id", dir, "search", 199);
  const std::string wanted = "search 150";
  const auto deadline = Clock::now() + 30s;
  while (tolm::FindWindows("search*", "*") < 200) {
    if (Clock::now() > deadline) throw std::runtime_error("GNOME Shell does not list the 200 windows");
    std::this_thread::sleep_for(10ms);
  }
  std::vector<double> unchanged;
  for (int i = 0; i < 20; ++i) {
    const auto start = Clock::now();
    if (tolm::FindWindowByTitle(wanted) == tolm::kNoWindow) throw std::runtime_error("the search found nothing");
    unchanged.push_back(Milliseconds(Clock::now() - start));
  }
  std::vector<double> afresh;
  for (int i = 0; i < 20; ++i) {
    tolm::GnomeWindowSystem fresh(shell);  // keeps no list yet
    tolm::InstallDesktop(tolm::DesktopBackend{&fresh, desktop.keyboard, nullptr});
    const auto start = Clock::now();
    if (tolm::FindWindowByTitle(wanted) == tolm::kNoWindow) throw std::runtime_error("the search found nothing");
    afresh.push_back(Milliseconds(Clock::now() - start));
  }
  tolm::InstallDesktop(desktop);
  std::printf("windows on the desktop: %d titled\n", tolm::FindWindows("*", "*"));
  std::printf("%-58s %9.3f ms (median of 20)\n", "find 1 of 200 windows by title, list unchanged", Median(unchanged));
  std::printf("%-58s %9.3f ms (median of 20)\n", "find 1 of 200 windows by title, list asked afresh", Median(afresh));
  Stop(w);
  // The typing starts once GNOME Shell has taken the 200 windows away.
  const auto gone = Clock::now() + 30s;
  while (tolm::FindWindows("search*", "*") > 0 && Clock::now() < gone) std::this_thread::sleep_for(10ms);
}

void BenchTyping(const std::string& testwin, const std::string& dir) {
  const std::string text = KeyText(2000);
  const char* names[] = {"typing-first", "typing-again"};
  const char* labels[] = {"type 2000 characters: first key string of the process",
                          "type 2000 characters: a later key string"};
  for (int i = 0; i < 2; ++i) {
    const TestWindow w = StartTestWindow(testwin, "--app-id", dir, names[i], 0);
    tolm::WindowActivate(Listed(names[i]));
    const auto start = Clock::now();
    tolm::SendKeys(text);
    const double ms = Milliseconds(WaitForLog(w.log, text.size(), start));
    const Arrival arrival = Check(w.log, text);
    std::printf("%-58s %9.3f ms   %zu of %zu characters arrived%s\n", labels[i], ms, arrival.count, text.size(),
                arrival.exact ? ", exactly in order" : ", NOT the text");
    Stop(w);
  }
}

void SetExtension(bool on) {
  const int status = WaitExit(Spawn({"gnome-extensions", on ? "enable" : "disable", tolm::kExtensionUuid}));
  if (status != 0) throw std::runtime_error("gnome-extensions failed");
  std::this_thread::sleep_for(500ms);  // GNOME Shell takes the setting from its main loop
}

// Whether the seat has a keyboard, as a Wayland client of our own sees it.
bool SeatHasKeyboard() {
  std::string reason;
  const auto connection = tolm::WaylandConnection::OpenAny(tolm::WaitStyle::kSocket, reason);
  if (!connection) throw std::runtime_error(reason);
  connection->Roundtrip();
  return (connection->SeatCapabilities() & 2) != 0;  // WL_SEAT_CAPABILITY_KEYBOARD
}

// With bareSeat the extension is switched off once the window is active, and
// each run starts once the seat has no keyboard (Mutter takes a session's
// keyboard away a moment after its program has ended). The benchmark itself
// has no session of its own yet, which would keep a keyboard there.
void BenchFirstKey(const std::string& testwin, const std::string& tolm32, const std::string& dir, const char* label,
                   bool bareSeat) {
  const std::string title = bareSeat ? "first-bare" : "first";
  const TestWindow w = StartTestWindow(testwin, "--app-id", dir, title, 0);
  tolm::WindowActivate(Listed(title));
  if (bareSeat) SetExtension(false);
  std::vector<double> arrived;
  std::vector<double> ended;
  int lost = 0;
  for (int i = 0; i < 10; ++i) {
    const auto bare = Clock::now() + 10s;
    while (bareSeat && SeatHasKeyboard()) {
      if (Clock::now() > bare) throw std::runtime_error("the seat keeps a keyboard");
      std::this_thread::sleep_for(10ms);
    }
    const size_t before = LogLines(w.log).size();
    const auto start = Clock::now();
    const pid_t pid = Spawn({tolm32, "--console", "/sendkeys q"});
    const auto got = WaitForLog(w.log, before + 1, start, 200us);
    const int status = WaitExit(pid);
    ended.push_back(Milliseconds(Clock::now() - start));
    if (status != 0) throw std::runtime_error("tolm32 failed with status " + std::to_string(status));
    if (LogLines(w.log).size() == before + 1) arrived.push_back(Milliseconds(got));
    else ++lost;
  }
  std::printf("%-58s %9.3f ms (median of %zu; the run ends after %.3f ms; %d of 10 lost)\n",
              (std::string("first key of a fresh run, ") + label).c_str(), arrived.empty() ? 0.0 : Median(arrived),
              arrived.size(), Median(ended), lost);
  if (bareSeat) SetExtension(true);
  Stop(w);
}

void TryWtype(const std::string& dir) {
  const std::string out = dir + "/wtype.out";
  const int status = WaitExit(Spawn({"wtype", "q"}, out));
  std::ifstream in(out);
  std::string line;
  std::getline(in, line);
  std::printf("%-58s status %d: %s\n", "wtype q (the wlroots tool, for comparison)", status, line.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: gnome_bench <tolm_wayland_testwin> <tolm32>\n");
    return 2;
  }
  const std::string testwin = argv[1];
  const std::string tolm32 = argv[2];
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  try {
    tolm::InstallLinuxPlatform();
    tolm::DesktopBackend desktop;
    std::string reason;
    if (!tolm::OpenGnomeDesktop(desktop, reason)) throw std::runtime_error("no GNOME desktop: " + reason);
    tolm::InstallDesktop(desktop);
    std::unique_ptr<tolm::DbusConnection> bus = tolm::DbusConnection::OpenSession(tolm::kShellAnswerTime, reason);
    if (!bus) throw std::runtime_error(reason);
    tolm::ShellExtension shell(*bus);
    char pattern[] = "/tmp/tolm-gnome-bench-XXXXXX";
    const std::string dir = mkdtemp(pattern);
    BenchSearch(testwin, dir, desktop, shell);
    BenchFirstKey(testwin, tolm32, dir, "the extension's keyboard on the seat", false);
    BenchFirstKey(testwin, tolm32, dir, "a seat without a keyboard", true);
    BenchTyping(testwin, dir);
    TryWtype(dir);
    std::filesystem::remove_all(dir);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "gnome_bench: %s\n", e.what());
    return 1;
  }
  return 0;
}
