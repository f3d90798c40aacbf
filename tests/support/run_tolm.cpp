#include "support/run_tolm.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace tolm::testing {
std::string ReadFileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

TempDir::TempDir() {
  char pattern[] = "/tmp/tolm-test-XXXXXX";
  if (!mkdtemp(pattern)) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::Write(const std::string& name, const std::string& contents) const {
  std::string full = path_ + "/" + name;
  std::filesystem::create_directories(std::filesystem::path(full).parent_path());
  std::ofstream(full, std::ios::binary) << contents;
  return full;
}

std::string TempDir::Read(const std::string& name) const { return ReadFileText(path_ + "/" + name); }

RunningProgram::RunningProgram(const std::string& program, const std::vector<std::string>& args,
                               const std::string& dir, const std::vector<std::string>& env, int stdinFd) {
  std::string outPath = capture_.File("out"), errPath = capture_.File("err");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (stdinFd >= 0)
    posix_spawn_file_actions_adddup2(&actions, stdinFd, 0);
  else
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (!dir.empty()) posix_spawn_file_actions_addchdir_np(&actions, dir.c_str());
  // The child starts with no blocked signals, whatever the test runner has.
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  sigset_t none;
  sigemptyset(&none);
  posix_spawnattr_setsigmask(&attr, &none);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK);

  std::vector<std::string> envStrings;
  for (char** e = environ; *e; ++e) envStrings.emplace_back(*e);
  envStrings.insert(envStrings.end(), env.begin(), env.end());
  std::vector<char*> envp, argv{const_cast<char*>(program.c_str())};
  for (auto& e : envStrings) envp.push_back(e.data());
  envp.push_back(nullptr);
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);

  pid_t pid = 0;
  int rc = posix_spawn(&pid, program.c_str(), &actions, &attr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attr);
  if (rc != 0) throw std::runtime_error("cannot start " + program);
  pid_ = pid;
}

RunningProgram::~RunningProgram() {
  if (ended_) return;
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
}

namespace {

// Polls a condition every few milliseconds until it holds or the time is up.
template <class Condition>
bool WaitFor(Condition holds, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!holds()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

// The blocked-signal mask from /proc/<pid>/status; 0 once the process is gone.
unsigned long long BlockedSignals(int pid) {
  std::istringstream status(ReadFileText("/proc/" + std::to_string(pid) + "/status"));
  for (std::string line; std::getline(status, line);)
    if (line.rfind("SigBlk:", 0) == 0) return std::stoull(line.substr(7), nullptr, 16);
  return 0;
}

}  // namespace

bool RunningProgram::WaitUntilBlocked(int signal, int timeoutMs) const {
  const unsigned long long bit = 1ULL << (signal - 1);
  return WaitFor(
      [&] {
        siginfo_t info{};
        if (waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == pid_)
          return true;
        return (BlockedSignals(pid_) & bit) != 0;
      },
      timeoutMs);
}

bool RunningProgram::WaitUntilOpen(const std::string& path, int timeoutMs) const {
  const std::string fds = "/proc/" + std::to_string(pid_) + "/fd";
  return WaitFor(
      [&] {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(fds, error)) {
          std::error_code ignored;
          if (std::filesystem::read_symlink(entry.path(), ignored) == path) return true;
        }
        return false;
      },
      timeoutMs);
}

bool RunningProgram::WaitForError(const std::string& text, int timeoutMs) const {
  return WaitFor([&] { return ReadFileText(capture_.File("err")).find(text) != std::string::npos; }, timeoutMs);
}

void RunningProgram::Signal(int signal) const { kill(pid_, signal); }

RunResult RunningProgram::Wait(int timeoutMs) {
  RunResult result;
  int wstatus = 0;
  if (!WaitFor([&] { return waitpid(pid_, &wstatus, WNOHANG) == pid_; }, timeoutMs)) {
    kill(pid_, SIGKILL);
    waitpid(pid_, &wstatus, 0);
    result.err = "(timed out)\n";
  }
  ended_ = true;
  result.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
  result.out = ReadFileText(capture_.File("out"));
  result.err += ReadFileText(capture_.File("err"));
  return result;
}

RunResult RunProgram(const std::string& program, const std::vector<std::string>& args, const std::string& dir,
                     const std::vector<std::string>& env, int timeoutSeconds) {
  RunningProgram running(program, args, dir, env);
  return running.Wait(timeoutSeconds * 1000);
}

std::string CopyProgramWithoutModules(const std::string& dir) {
  const std::filesystem::path program(TOLM_BINARY);
  const std::string copy = dir + "/tolm32";
  std::filesystem::copy_file(program, copy);
  return copy;
}

RunResult RunTolm(const std::vector<std::string>& args, const std::string& dir, const std::vector<std::string>& env) {
  return RunProgram(TOLM_BINARY, args, dir, env);
}

}  // namespace tolm::testing
