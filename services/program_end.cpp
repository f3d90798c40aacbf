#include "services/program_end.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

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

void InterceptProgramEnd(std::function<void(int)> interceptor) { Interceptor() = std::move(interceptor); }

}  // namespace tolm
