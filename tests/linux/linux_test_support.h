// Helpers for tests that start real processes: a scratch folder, small
// scripts, reading files, and the zombie check.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace tolm::linux_test {

// A fresh folder under the test's temporary directory, removed afterwards.
class ScratchDir {
 public:
  explicit ScratchDir(const std::string& name) {
    path_ = std::filesystem::path(::testing::TempDir()) / (name + "-" + std::to_string(getpid()));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  std::string Path() const { return path_.string(); }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

inline void WriteFile(const std::string& path, const std::string& text, bool executable = false) {
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
  }
  chmod(path.c_str(), executable ? 0755 : 0644);
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// This process's children and their states ('Z' for a zombie), from
// /proc/PID/stat ("pid (comm) state ppid ...").
inline std::vector<std::pair<int, char>> ChildStates() {
  std::vector<std::pair<int, char>> children;
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    std::string name = entry.path().filename().string();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    std::string stat = ReadFile(entry.path().string() + "/stat");
    size_t close = stat.rfind(')');
    if (close == std::string::npos) continue;
    std::istringstream rest(stat.substr(close + 1));
    char state = 0;
    int ppid = 0;
    rest >> state >> ppid;
    if (ppid == getpid()) children.emplace_back(std::stoi(name), state);
  }
  return children;
}

// Ids of this process's children that are zombies.
inline std::vector<int> ZombieChildren() {
  std::vector<int> zombies;
  for (const auto& [pid, state] : ChildStates())
    if (state == 'Z') zombies.push_back(pid);
  return zombies;
}

// Puts dir first on PATH for the lifetime of the object.
class PathPrefix {
 public:
  explicit PathPrefix(const std::string& dir) {
    const char* old = std::getenv("PATH");
    old_ = old ? old : "";
    setenv("PATH", (dir + ":" + old_).c_str(), 1);
  }
  ~PathPrefix() { setenv("PATH", old_.c_str(), 1); }
  PathPrefix(const PathPrefix&) = delete;
  PathPrefix& operator=(const PathPrefix&) = delete;

 private:
  std::string old_;
};

}  // namespace tolm::linux_test
