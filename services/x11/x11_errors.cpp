#include "services/x11/x11_errors.h"

#include <X11/Xlib.h>

#include <atomic>

namespace tolm {
namespace {

std::atomic<unsigned long> g_errors{0};

int CountError(Display*, XErrorEvent*) {
  ++g_errors;
  return 0;
}

}  // namespace

void InstallX11ErrorHandler() { XSetErrorHandler(CountError); }

unsigned long X11ErrorCount() { return g_errors.load(); }

}  // namespace tolm
