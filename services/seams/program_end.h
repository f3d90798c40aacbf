// Ending the whole program: at the end of a run (FinishProgram), and at once
// after a failed start with no failure policy and on a close request
// (SIGTERM, SIGINT, SIGHUP).
#pragma once

#include <functional>

namespace tolm {

// Flushes stdout and stderr (C stdio, which the C++ streams write through)
// and ends the process with exitCode at once: no destructors, nothing queued
// runs any more.
[[noreturn]] void EndProgram(int exitCode);

// The end of a run: lets the show-mode watchers still running finish, so
// that a program started by the last line gets its mode (each watcher is
// bounded; a close request meanwhile still ends the program at once), then
// EndProgram(exitCode).
[[noreturn]] void FinishProgram(int exitCode);

// For tests: called with the exit code instead of ending the process. It is
// expected to throw; if it returns, the process ends anyway. Empty restores
// the real behaviour.
void InterceptProgramEnd(std::function<void(int exitCode)> interceptor);

// While it lives, EndProgram runs the action before the process ends (the
// latest registered first): for undoing what is left half-done outside the
// process, such as keys held down on the desktop by an interrupted key string.
// Main thread only.
class AtProgramEnd {
 public:
  explicit AtProgramEnd(std::function<void()> action);
  ~AtProgramEnd();
  AtProgramEnd(const AtProgramEnd&) = delete;
  AtProgramEnd& operator=(const AtProgramEnd&) = delete;

 private:
  int id_;
};

// The list behind AtProgramEnd: registers an action and returns its id (not
// 0); dropping an id removes its action. For the module boundary.
int RegisterAtProgramEnd(std::function<void()> action);
void DropAtProgramEnd(int id) noexcept;

}  // namespace tolm
