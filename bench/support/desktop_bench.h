// What the desktop benchmarks (x11, wayland, kde, gnome) share: starting
// programs without a shell, the test windows whose key logs show what
// arrived, and the figures.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d);
double Median(std::vector<double> values);

// Starts a program by its argument vector (PATH searched), with no signals
// blocked: the event pump blocks the close requests in the benchmark, and a
// child would inherit that. With output set, its standard output and error
// go to that file.
pid_t Spawn(const std::vector<std::string>& args, const std::string& output = "");
// Waits for a child: its exit status, or 128 + the signal that ended it.
int WaitExit(pid_t pid);
// Spawn and WaitExit.
int Run(const std::vector<std::string>& args, const std::string& output = "");

// The lines of a test window's key log, without the SHIFT presses around
// capitals.
std::vector<std::string> LogLines(const std::string& path);
// Waits until a file exists (a test window writes its pid file once shown).
void WaitForFile(const std::string& file, Clock::duration timeout = std::chrono::seconds(120));
// Waits until the log holds count lines or has stopped growing for a
// second; returns the time from start until its last line arrived.
Clock::duration WaitForLog(const std::string& log, size_t count, Clock::time_point start,
                           Clock::duration poll = std::chrono::milliseconds(1));

// length characters without a meaning in key strings, all on the US layout,
// so that every tool types the same.
std::string KeyText(size_t length);

// How many characters of a key log arrived, and whether they are the text, in
// order.
struct Arrival {
  size_t count;
  bool exact;
};
Arrival Check(const std::string& log, const std::string& text);

struct TestWindow {
  pid_t pid;
  std::string log;
};

// Starts a test window (many more with --many) titled title, its key log and
// pid file in dir; classOption is how that window takes its class
// ("--class" for the X11 one, "--app-id" for the Wayland one), "Bench".
TestWindow StartTestWindow(const std::string& testwin, const char* classOption, const std::string& dir,
                           const std::string& title, int many);
void Stop(const TestWindow& w);

}  // namespace bench
