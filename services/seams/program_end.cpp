#include "services/seams/program_end.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <vector>

#include "services/seams/show_mode.h"

namespace tolm {
namespace {

std::function<void(int)>& Interceptor() {
  static std::function<void(int)> interceptor;
  return interceptor;
}

struct Action {
  int id;
  std::function<void()> run;
};

struct Actions {
  int nextId = 1;
  std::vector<Action> list;
};

Actions& TheActions() {
  static Actions actions;
  return actions;
}

}  // namespace

int RegisterAtProgramEnd(std::function<void()> action) {
  Actions& actions = TheActions();
  actions.list.push_back(Action{actions.nextId, std::move(action)});
  return actions.nextId++;
}

void DropAtProgramEnd(int id) noexcept {
  std::erase_if(TheActions().list, [id](const Action& a) { return a.id == id; });
}

AtProgramEnd::AtProgramEnd(std::function<void()> action) : id_(RegisterAtProgramEnd(std::move(action))) {}

AtProgramEnd::~AtProgramEnd() { DropAtProgramEnd(id_); }

void EndProgram(int exitCode) {
  if (Interceptor()) Interceptor()(exitCode);
  const std::vector<Action>& list = TheActions().list;
  for (auto it = list.rbegin(); it != list.rend(); ++it) {
    try {
      it->run();
    } catch (...) {
      // The program ends anyway; a failed clean-up must not stop that.
    }
  }
  // The program writes through C stdio only; the C++ standard streams (in
  // step with stdio anyway) are not even set up, which saves every start the
  // locale set-up they bring.
  std::fflush(stdout);
  std::fflush(stderr);
  // _Exit skips static destructors and atexit handlers: other threads may be
  // running, and nothing of the script may run after this point.
  std::_Exit(exitCode);
}

void FinishProgram(int exitCode) {
  try {
    FinishShowModeWatchers();
  } catch (const std::exception&) {
    // A pump that fails here must not keep us from ending; the modes are a courtesy.
  }
  EndProgram(exitCode);
}

void InterceptProgramEnd(std::function<void(int)> interceptor) { Interceptor() = std::move(interceptor); }

}  // namespace tolm
