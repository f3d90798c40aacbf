#include "services/desktop/x11/x11_errors.h"

#include "services/seams/debug_log.h"

#include <X11/Xproto.h>
#include <sys/eventfd.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <vector>

#include "services/seams/event_sources.h"
#include "services/platform/posix/unique_fd.h"

namespace tolm {
namespace {

// A flood of errors must not grow memory: beyond this many unlogged lines,
// further errors are only counted.
constexpr size_t kMaxQueuedLines = 100;

struct VanishedCase {
  unsigned char errorCode;
  int requestCode;  // kAnyRequest: every request
};
constexpr int kAnyRequest = -1;
constexpr std::array<VanishedCase, 4> kVanishedCases{{
    {BadWindow, kAnyRequest},
    {BadDrawable, kAnyRequest},
    {BadMatch, X_SetInputFocus},
    {BadValue, X_KillClient},
}};

class ErrorQueue {
 public:
  ErrorQueue() : wake_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    if (wake_.Valid()) registration_ = WatchEventSource(wake_.Get(), LogQueuedX11Errors);
  }

  // Any thread, from inside Xlib; never throws.
  void Push(std::string line) noexcept {
    {
      std::lock_guard lock(mutex_);
      if (lines_.size() < kMaxQueuedLines) {
        try {
          lines_.push_back(std::move(line));
        } catch (...) {
          ++dropped_;
        }
      } else {
        ++dropped_;
      }
    }
    Wake();
  }

  struct Taken {
    std::vector<std::string> lines;
    size_t dropped = 0;
  };
  Taken Take() {
    ResetWake();
    std::lock_guard lock(mutex_);
    Taken taken{std::move(lines_), dropped_};
    lines_.clear();
    dropped_ = 0;
    return taken;
  }

 private:
  // The eventfd counter only wakes the pump. Adding fails only when it is
  // full, when it is readable anyway; reading fails only when it is zero.
  void Wake() noexcept {
    const uint64_t one = 1;
    if (wake_.Valid() && write(wake_.Get(), &one, sizeof one) < 0) return;
  }
  void ResetWake() noexcept {
    uint64_t count = 0;
    if (wake_.Valid() && read(wake_.Get(), &count, sizeof count) < 0) return;
  }

  UniqueFd wake_;
  EventSourceRegistration registration_;
  std::mutex mutex_;
  std::vector<std::string> lines_;
  size_t dropped_ = 0;
};

ErrorQueue& Queue() {
  static ErrorQueue queue;
  return queue;
}

int HandleError(Display* display, XErrorEvent* error) {
  if (IsVanishedWindowError(*error)) return 0;
  try {
    Queue().Push(X11ErrorText(display, *error));
  } catch (...) {
    // Out of memory while formatting: the error goes unlogged, the program goes on.
  }
  return 0;
}

}  // namespace

void InstallX11ErrorHandler() {
  Queue();
  XSetErrorHandler(HandleError);
}

bool IsVanishedWindowError(const XErrorEvent& error) {
  for (const VanishedCase& c : kVanishedCases) {
    if (error.error_code == c.errorCode && (c.requestCode == kAnyRequest || error.request_code == c.requestCode))
      return true;
  }
  return false;
}

std::string X11ErrorText(Display* display, const XErrorEvent& error) {
  char text[256] = {};
  XGetErrorText(display, error.error_code, text, sizeof text);
  const std::string major = std::to_string(error.request_code);
  // Xlib's own table names the core requests; extensions' requests stay numbers.
  char request[128] = {};
  XGetErrorDatabaseText(display, "XRequest", major.c_str(), "", request, sizeof request);
  char resource[32];
  std::snprintf(resource, sizeof resource, "0x%lx", error.resourceid);
  std::string line = "X error: " + std::string(text) + ", request " + major + "." +
                     std::to_string(error.minor_code);
  if (request[0] != '\0') line += " " + std::string(request);
  return line + ", resource " + resource;
}

void LogQueuedX11Errors() {
  const auto taken = Queue().Take();
  for (const std::string& line : taken.lines) DebugLog(line);
  if (taken.dropped > 0) DebugLog("X error: " + std::to_string(taken.dropped) + " more errors not logged");
}

}  // namespace tolm
