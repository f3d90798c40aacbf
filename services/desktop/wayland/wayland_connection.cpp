#include "services/desktop/wayland/wayland_connection.h"

#include <poll.h>
#include <wayland-client.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "services/core/sys_error.h"
#include "services/core/errors.h"
#include "services/seams/event_pump.h"
#include "services/seams/event_sources.h"
#include "virtual-keyboard-unstable-v1-client-protocol.h"
#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"

namespace tolm {
namespace {

using Clock = std::chrono::steady_clock;

// The highest toplevel manager version we know (3 adds the parent event).
constexpr uint32_t kToplevelVersion = 3;

void HandleGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t version) {
  static_cast<WaylandConnection*>(data)->OnGlobal(registry, name, interface, version);
}
void HandleGlobalRemove(void*, wl_registry*, uint32_t) {}
constexpr wl_registry_listener kRegistryListener{HandleGlobal, HandleGlobalRemove};

void HandleCapabilities(void* data, wl_seat*, uint32_t capabilities) {
  static_cast<WaylandConnection*>(data)->OnCapabilities(capabilities);
}
void HandleSeatName(void*, wl_seat*, const char*) {}
constexpr wl_seat_listener kSeatListener{HandleCapabilities, HandleSeatName};

void HandleSyncDone(void* data, wl_callback*, uint32_t) { *static_cast<bool*>(data) = true; }
constexpr wl_callback_listener kSyncListener{HandleSyncDone};

struct CallbackDeleter {
  void operator()(wl_callback* callback) const { wl_callback_destroy(callback); }
};

}  // namespace

std::unique_ptr<WaylandConnection> WaylandConnection::Open(WaitStyle style, std::string& reason) {
  std::unique_ptr<WaylandConnection> connection = OpenAny(style, reason);
  if (!connection) return nullptr;
  const char* name = std::getenv("WAYLAND_DISPLAY");
  std::string missing;
  if (connection->seat_ == nullptr) missing = "wl_seat";
  if (connection->toplevelsName_ == 0) missing += std::string(missing.empty() ? "" : ", ") + "zwlr_foreign_toplevel_manager_v1";
  if (connection->keyboards_ == nullptr) missing += std::string(missing.empty() ? "" : ", ") + "zwp_virtual_keyboard_manager_v1";
  if (!missing.empty()) {
    reason = std::string("the compositor \"") + name + "\" does not offer " + missing;
    return nullptr;
  }
  return connection;
}

std::unique_ptr<WaylandConnection> WaylandConnection::OpenAny(WaitStyle style, std::string& reason) {
  const char* name = std::getenv("WAYLAND_DISPLAY");
  if (name == nullptr || *name == '\0') {
    reason = "WAYLAND_DISPLAY is not set";
    return nullptr;
  }
  wl_display* display = wl_display_connect(nullptr);
  if (display == nullptr) {
    reason = std::string("cannot connect to the compositor \"") + name + "\": " + SysErrorDescription(errno);
    return nullptr;
  }
  std::unique_ptr<WaylandConnection> connection(new WaylandConnection(display, style));
  connection->registry_ = wl_display_get_registry(display);
  wl_registry_add_listener(connection->registry_, &kRegistryListener, connection.get());
  try {
    // The globals, then the seat's capabilities announced on binding it.
    connection->Roundtrip();
    connection->Roundtrip();
  } catch (const Exception& e) {
    reason = e.Message();
    return nullptr;
  }
  return connection;
}

WaylandConnection::~WaylandConnection() {
  if (toplevels_ != nullptr) zwlr_foreign_toplevel_manager_v1_destroy(toplevels_);
  if (keyboards_ != nullptr) zwp_virtual_keyboard_manager_v1_destroy(keyboards_);
  if (seat_ != nullptr) wl_seat_destroy(seat_);
  if (registry_ != nullptr) wl_registry_destroy(registry_);
  wl_display_disconnect(display_);
}

void WaylandConnection::OnGlobal(wl_registry* registry, uint32_t name, const char* interface, uint32_t version) {
  const std::string_view which = interface;
  globals_.emplace(interface, Global{name, version});
  if (which == wl_seat_interface.name && seat_ == nullptr) {
    // The first seat: the one a desktop session has (wlroots names it seat0).
    seat_ = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    wl_seat_add_listener(seat_, &kSeatListener, this);
  } else if (which == zwlr_foreign_toplevel_manager_v1_interface.name) {
    toplevelsName_ = name;
    toplevelsVersion_ = std::min(version, kToplevelVersion);
  } else if (which == zwp_virtual_keyboard_manager_v1_interface.name) {
    keyboards_ = static_cast<zwp_virtual_keyboard_manager_v1*>(
        wl_registry_bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1));
  }
}

zwlr_foreign_toplevel_manager_v1* WaylandConnection::BindToplevelManager() {
  if (toplevels_ == nullptr) {
    toplevels_ = static_cast<zwlr_foreign_toplevel_manager_v1*>(
        wl_registry_bind(registry_, toplevelsName_, &zwlr_foreign_toplevel_manager_v1_interface, toplevelsVersion_));
  }
  return toplevels_;
}

uint32_t WaylandConnection::GlobalVersion(const std::string& interface) const {
  const auto it = globals_.find(interface);
  return it == globals_.end() ? 0 : it->second.version;
}

void* WaylandConnection::BindGlobal(const wl_interface& interface, uint32_t version) {
  const auto it = globals_.find(interface.name);
  if (it == globals_.end()) return nullptr;
  return wl_registry_bind(registry_, it->second.name, &interface, std::min(version, it->second.version));
}

void WaylandConnection::CheckError() {
  const int error = wl_display_get_error(display_);
  if (error == 0) return;
  const std::string text = error == EPROTO ? "a protocol error" : SysErrorDescription(error);
  throw Exception("The connection to the Wayland compositor failed: " + text);
}

bool WaylandConnection::WaitSocket(bool out, Clock::time_point deadline) {
  const int fd = wl_display_get_fd(display_);
  // Without a pump backend (a test, a tool) the pump could only sleep.
  const bool onPump = style_ == WaitStyle::kPump && PumpCloseRequestDescriptor() >= 0;
  if (onPump && !out) {
    bool ready = false;
    EventSourceRegistration watch = WatchEventSource(fd, [&ready] { ready = true; });
    while (!ready && Clock::now() < deadline) PumpWaitUntil(deadline);
    return ready;
  }
  for (;;) {
    if (onPump) ProcessPendingMessages();
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return false;
    // On the pump a writable wait is sliced, so close requests are served.
    const int slice = onPump ? static_cast<int>(std::min<long long>(left, 20)) : static_cast<int>(left);
    pollfd one{fd, static_cast<short>(out ? POLLOUT : POLLIN), 0};
    const int n = poll(&one, 1, slice);
    if (n > 0) return true;
    if (n < 0 && errno != EINTR) return false;
  }
}

void WaylandConnection::Flush() {
  const Clock::time_point deadline = Clock::now() + kCompositorAnswerTime;
  while (wl_display_flush(display_) < 0) {
    if (errno != EAGAIN) CheckError();
    if (errno != EAGAIN) throw Exception("The connection to the Wayland compositor failed: " + SysErrorDescription(errno));
    // The socket is full: the compositor reads it when it gets to it.
    DispatchAvailable();
    if (!WaitSocket(true, deadline)) throw Exception("The Wayland compositor does not answer");
  }
}

void WaylandConnection::DispatchAvailable() {
  while (wl_display_prepare_read(display_) != 0) {
    // A failed connection keeps its queue: stop here rather than spin.
    if (wl_display_dispatch_pending(display_) < 0) CheckError();
  }
  pollfd one{wl_display_get_fd(display_), POLLIN, 0};
  if (poll(&one, 1, 0) > 0) {
    wl_display_read_events(display_);
  } else {
    wl_display_cancel_read(display_);
  }
  wl_display_dispatch_pending(display_);
  CheckError();
}

void WaylandConnection::Roundtrip() { RoundtripUntil(Clock::now() + kCompositorAnswerTime); }

void WaylandConnection::SettleBeforeExit(std::chrono::milliseconds limit) noexcept {
  const WaitStyle style = style_;
  style_ = WaitStyle::kSocket;  // the pump is not served any more
  try {
    RoundtripUntil(Clock::now() + limit);
  } catch (const Exception&) {
    // The program ends anyway; what could be sent has been.
  }
  style_ = style;
}

void WaylandConnection::RoundtripUntil(Clock::time_point deadline) {
  bool done = false;
  std::unique_ptr<wl_callback, CallbackDeleter> sync(wl_display_sync(display_));
  wl_callback_add_listener(sync.get(), &kSyncListener, &done);
  Flush();
  while (!done) {
    DispatchAvailable();
    if (done) break;
    if (!WaitSocket(false, deadline)) throw Exception("The Wayland compositor does not answer");
  }
}

void WaylandConnection::WaitForEvents(Clock::time_point deadline) {
  Flush();
  if (WaitSocket(false, deadline)) DispatchAvailable();
}

}  // namespace tolm
