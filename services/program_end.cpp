#include "services/program_end.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>

#include "services/show_mode.h"

namespace tolm {
namespace {

std::function<void(int)>& Interceptor() {
  static std::function<void(int)> interceptor;
  return interceptor;
}

}  // namespace

void EndProgram(int exitCode) {
  if (Interceptor()) Interceptor()(exitCode);
  std::cout.flush();
  std::cerr.flush();
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
