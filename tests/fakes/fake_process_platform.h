// Recording fakes for the process and pump seams (process_api.h,
// pump_backend.h) and the user interface, for unit tests of anything that
// starts, waits for, lists or kills programs. Each installer restores the
// previous state when it goes out of scope.
#pragma once

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <deque>
#include <exception>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "services/seams/process_api.h"
#include "services/seams/program_end.h"
#include "services/seams/pump_backend.h"
#include "services/seams/user_interface.h"

namespace tolm::process_fakes {

// What the next start does: throw an exception, fail with an errno, or start
// a child whose wait reports the given status (or fails with waitError). A
// child that keeps running outlasts every wait with a time limit.
struct ScriptedStart {
  int startError = 0;
  uint32_t exitStatus = 0;
  int waitError = 0;
  std::exception_ptr thrown;
  bool keepsRunning = false;
};

struct StartCall {
  std::string file, parameters, directory;
};

class FakeProcessPlatform : public ProcessLauncher, public SystemProcesses {
 public:
  FakeProcessPlatform() {
    SetProcessLauncher(this);
    SetSystemProcesses(this);
  }
  ~FakeProcessPlatform() override {
    SetProcessLauncher(nullptr);
    SetSystemProcesses(nullptr);
  }
  FakeProcessPlatform(const FakeProcessPlatform&) = delete;
  FakeProcessPlatform& operator=(const FakeProcessPlatform&) = delete;

  // --- scripting
  std::deque<ScriptedStart> nextStarts;  // empty: every start succeeds with status 0
  std::vector<std::pair<uint32_t, std::string>> processes;  // id and image path, in system order
  std::map<uint32_t, KillResult> killResults;                // default: success
  // Processes that end on their own right after their name was read: the
  // race between listing a process and killing it. Once ended, a process is
  // no longer listed, and killing it finds no such process (ESRCH).
  std::set<uint32_t> endAfterNameRead;
  uint32_t currentId = 4242;

  // --- records
  std::vector<StartCall> starts;
  std::vector<uint32_t> waitedIds;  // in the order the waits happened
  std::vector<uint32_t> limitedWaitIds;  // waits with a time limit, in order
  std::vector<uint32_t> killedIds;
  int listings = 0;

  StartResult Start(const std::string& file, const std::string& parameters,
                    const std::string& directory) override {
    starts.push_back({file, parameters, directory});
    ScriptedStart next;
    if (!nextStarts.empty()) {
      next = nextStarts.front();
      nextStarts.pop_front();
    }
    if (next.thrown) std::rethrow_exception(next.thrown);
    if (next.startError != 0) return {nullptr, next.startError};
    return {std::make_unique<Child>(*this, nextPid_++, next), 0};
  }

  std::vector<uint32_t> ProcessIds() override {
    ++listings;
    std::vector<uint32_t> ids;
    for (const auto& p : processes) ids.push_back(p.first);
    return ids;
  }
  std::string ImagePath(uint32_t id) override {
    std::string path;
    for (const auto& p : processes)
      if (p.first == id) path = p.second;
    if (endAfterNameRead.erase(id)) {
      std::erase_if(processes, [id](const auto& p) { return p.first == id; });
      ended_.insert(id);
    }
    return path;
  }
  KillResult Kill(uint32_t id) override {
    killedIds.push_back(id);
    if (ended_.count(id)) return {KillStep::Open, ESRCH};
    auto it = killResults.find(id);
    return it == killResults.end() ? KillResult{} : it->second;
  }
  uint32_t CurrentId() override { return currentId; }

  // Id the next started child gets.
  uint32_t NextPid() const { return nextPid_; }

 private:
  class Child : public ChildProcess {
   public:
    Child(FakeProcessPlatform& owner, uint32_t pid, ScriptedStart script)
        : owner_(owner), pid_(pid), script_(script) {}
    uint32_t Id() const override { return pid_; }
    ExitStatus WaitForExit() override {
      owner_.waitedIds.push_back(pid_);
      if (script_.waitError != 0) return {false, 0, script_.waitError};
      return {true, script_.exitStatus, 0};
    }
    bool WaitUntilEnded(std::chrono::steady_clock::time_point deadline) override {
      owner_.limitedWaitIds.push_back(pid_);
      if (!script_.keepsRunning) return true;
      // Returns once the deadline has passed: a sleep may wake a little
      // early where the system's timer is coarse (Wine).
      if (deadline != std::chrono::steady_clock::time_point::max())
        while (std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_until(deadline);
      return false;
    }

   private:
    FakeProcessPlatform& owner_;
    uint32_t pid_;
    ScriptedStart script_;
  };

  uint32_t nextPid_ = 1000;
  std::set<uint32_t> ended_;
};

// A pump backend that answers each wait from a script (true: an event woke
// it; false: time-out, after actually sleeping until the deadline so that
// callers relying on the clock see it pass). Records every deadline asked for.
class FakePump : public PumpBackend {
 public:
  FakePump() { SetPumpBackend(this); }
  ~FakePump() override { SetPumpBackend(nullptr); }
  FakePump(const FakePump&) = delete;
  FakePump& operator=(const FakePump&) = delete;

  std::deque<bool> wakes;  // empty: time-out
  std::vector<std::optional<std::chrono::steady_clock::time_point>> deadlines;

  bool WaitAndServe(std::optional<std::chrono::steady_clock::time_point> deadline) override {
    deadlines.push_back(deadline);
    bool woke = false;
    if (!wakes.empty()) {
      woke = wakes.front();
      wakes.pop_front();
    }
    if (!woke && deadline && *deadline > std::chrono::steady_clock::now())
      std::this_thread::sleep_until(*deadline);
    return woke;
  }

  // Non-blocking passes (ProcessPendingMessages) among the recorded waits.
  int NonBlockingPasses() const {
    int n = 0;
    for (const auto& d : deadlines)
      if (d && *d == std::chrono::steady_clock::time_point::min()) ++n;
    return n;
  }
};

struct Message {
  MessageKind kind;
  std::string text;
  bool operator==(const Message&) const = default;
};

class RecordingUserInterface : public UserInterface {
 public:
  RecordingUserInterface() { SetUserInterface(this); }
  ~RecordingUserInterface() override { SetUserInterface(nullptr); }
  RecordingUserInterface(const RecordingUserInterface&) = delete;
  RecordingUserInterface& operator=(const RecordingUserInterface&) = delete;

  std::vector<Message> messages;
  void ShowInfoDialog(const std::string&, bool) override {}
  void ShowMessage(MessageKind kind, const std::string& text) override { messages.push_back({kind, text}); }
  bool AskYesNo(const std::string&) override { return false; }
};

// Thrown instead of ending the process while a ProgramEndCatcher lives.
struct ProgramEnded {
  int exitCode;
};

class ProgramEndCatcher {
 public:
  ProgramEndCatcher() {
    InterceptProgramEnd([](int code) { throw ProgramEnded{code}; });
  }
  ~ProgramEndCatcher() { InterceptProgramEnd(nullptr); }
  ProgramEndCatcher(const ProgramEndCatcher&) = delete;
  ProgramEndCatcher& operator=(const ProgramEndCatcher&) = delete;
};

}  // namespace tolm::process_fakes
