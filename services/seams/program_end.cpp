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

std::vector<AtProgramEnd*>& Actions() {
  static std::vector<AtProgramEnd*> actions;
  return actions;
}

}  // namespace

AtProgramEnd::AtProgramEnd(std::function<void()> action) : action_(std::move(action)) { Actions().push_back(this); }

AtProgramEnd::~AtProgramEnd() { std::erase(Actions(), this); }

void EndProgram(int exitCode) {
  if (Interceptor()) Interceptor()(exitCode);
  for (auto it = Actions().rbegin(); it != Actions().rend(); ++it) {
    try {
      (*it)->action_();
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
