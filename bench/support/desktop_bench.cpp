#include "desktop_bench.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace bench {

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

pid_t Spawn(const std::vector<std::string>& args, const std::string& output) {
  std::vector<std::string> copy = args;
  std::vector<char*> argv;
  for (std::string& a : copy) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  sigset_t none;
  sigemptyset(&none);
  posix_spawnattr_setsigmask(&attr, &none);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!output.empty()) {
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
  }
  pid_t pid = -1;
  const int rc = posix_spawnp(&pid, argv[0], &actions, &attr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attr);
  if (rc != 0) throw std::runtime_error("cannot start " + args[0]);
  return pid;
}

int WaitExit(pid_t pid) {
  int raw = 0;
  if (waitpid(pid, &raw, 0) != pid) return -1;
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
}

int Run(const std::vector<std::string>& args, const std::string& output) { return WaitExit(Spawn(args, output)); }

std::vector<std::string> LogLines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) {
    if (line != "Shift_L") lines.push_back(line);
  }
  return lines;
}

void WaitForFile(const std::string& file, Clock::duration timeout) {
  const auto deadline = Clock::now() + timeout;
  while (!std::filesystem::exists(file)) {
    if (Clock::now() > deadline) throw std::runtime_error("timed out waiting for " + file);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

Clock::duration WaitForLog(const std::string& log, size_t count, Clock::time_point start, Clock::duration poll) {
  size_t seen = LogLines(log).size();
  Clock::time_point last = Clock::now();
  for (;;) {
    const size_t now = LogLines(log).size();
    if (now != seen) {
      seen = now;
      last = Clock::now();
    }
    if (seen >= count || Clock::now() - last > std::chrono::seconds(1)) return last - start;
    std::this_thread::sleep_for(poll);
  }
}

std::string KeyText(size_t length) {
  const std::string alphabet = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 .,;:-_=/";
  std::string text;
  for (size_t i = 0; i < length; ++i) text += alphabet[(i * 7 + i / 11) % alphabet.size()];
  return text;
}

Arrival Check(const std::string& log, const std::string& text) {
  const std::vector<std::string> lines = LogLines(log);
  std::vector<std::string> expected;
  for (char c : text) expected.emplace_back(1, c);
  return {lines.size(), lines == expected};
}

TestWindow StartTestWindow(const std::string& testwin, const char* classOption, const std::string& dir,
                           const std::string& title, int many) {
  TestWindow w{-1, dir + "/" + title + ".log"};
  const std::string pidFile = dir + "/" + title + ".pid";
  w.pid = Spawn({testwin, "--title", title, classOption, "Bench", "--log", w.log, "--pid-file", pidFile, "--many",
                 std::to_string(many)});
  WaitForFile(pidFile);
  return w;
}

void Stop(const TestWindow& w) {
  kill(w.pid, SIGTERM);
  waitpid(w.pid, nullptr, 0);
}

}  // namespace bench
