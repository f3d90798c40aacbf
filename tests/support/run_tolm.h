// Runs the built tolm32 as a user would and captures what it prints.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace tolm::testing {

struct RunResult {
  int status = -1;  // exit status, or 128 + signal
  std::string out;
  std::string err;
};

// Runs program with args in directory dir (empty: the current one), standard
// input from /dev/null, extra environment entries "NAME=value" added. Gives up
// after timeoutSeconds (the child is killed; status then says so).
RunResult RunProgram(const std::string& program, const std::vector<std::string>& args, const std::string& dir = "",
                     const std::vector<std::string>& env = {}, int timeoutSeconds = 30);
RunResult RunTolm(const std::vector<std::string>& args, const std::string& dir = "",
                  const std::vector<std::string>& env = {});

// Copies the built program into dir, without its modules. Returns the copy.
std::string CopyProgramWithoutModules(const std::string& dir);

// The whole contents of a file; empty when it cannot be read.
std::string ReadFileText(const std::string& path);

// A fresh directory under /tmp, removed with everything in it at destruction.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  // The full path of a file in the directory.
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  // Writes a file (relative to the directory) and returns its full path.
  std::string Write(const std::string& name, const std::string& contents) const;
  std::string Read(const std::string& name) const;

 private:
  std::string path_;
};

// A program running while a test talks to it: standard input from stdinFd
// (when -1, /dev/null), standard output and error captured to files.
class RunningProgram {
 public:
  RunningProgram(const std::string& program, const std::vector<std::string>& args, const std::string& dir = "",
                 const std::vector<std::string>& env = {}, int stdinFd = -1);
  ~RunningProgram();  // kills and collects it if it still runs
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  int pid() const { return pid_; }
  // Waits until the program has blocked signal (it then takes the signal
  // its own way), or has ended; false after the time-out.
  bool WaitUntilBlocked(int signal, int timeoutMs = 5000) const;
  // Waits until it has the file open (it is among /proc/<pid>/fd); false
  // after the time-out.
  bool WaitUntilOpen(const std::string& path, int timeoutMs = 5000) const;
  // Waits until its standard error so far contains text; false after the time-out.
  bool WaitForError(const std::string& text, int timeoutMs = 5000) const;
  void Signal(int signal) const;
  // Waits for its end; after timeoutMs it is killed and err says so.
  RunResult Wait(int timeoutMs);

 private:
  TempDir capture_;
  int pid_ = -1;
  bool ended_ = false;
};

}  // namespace tolm::testing
