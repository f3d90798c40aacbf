#include "services/desktop/wayland/wayland_show_mode.h"

#include <wayland-client.h>

#include <memory>
#include <utility>
#include <string>

#include "services/seams/show_mode.h"
#include "services/desktop/wayland/wayland_connection.h"
#include "services/desktop/wayland/wayland_toplevels.h"
#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"

namespace tolm {
namespace {

using Clock = std::chrono::steady_clock;

void Apply(zwlr_foreign_toplevel_handle_v1* handle, int showMode) {
  if (showMode == kShowMaximized) {
    zwlr_foreign_toplevel_handle_v1_set_maximized(handle);
  } else {
    zwlr_foreign_toplevel_handle_v1_set_minimized(handle);
  }
}

// A watcher's own connection and toplevel list; the list goes first.
struct Watcher {
  std::unique_ptr<WaylandConnection> connection;
  std::unique_ptr<WaylandToplevels> toplevels;
};

// Runs on the watcher thread: waits on the socket alone.
void Watch(Watcher& watcher, WindowHandle before, int showMode) {
  const Clock::time_point deadline = Clock::now() + kWaylandShowModeWatchTime;
  while (Clock::now() < deadline) {
    for (const WaylandToplevel* t : watcher.toplevels->Current()) {
      if (t->id > before) {
        Apply(t->handle, showMode);
        watcher.connection->Roundtrip();
        return;
      }
    }
    // New toplevels come as events: wait for the next ones.
    watcher.connection->WaitForEvents(deadline);
  }
}

}  // namespace

void WatchWaylandShowMode(int /*pid*/, int showMode) {
  if (showMode == kShowNormal) return;
  std::string reason;
  auto watcher = std::make_shared<Watcher>();
  watcher->connection = WaylandConnection::Open(WaitStyle::kSocket, reason);
  if (!watcher->connection) return;
  watcher->toplevels = std::make_unique<WaylandToplevels>(*watcher->connection);
  // The toplevels present now, before the program had time to open its own.
  watcher->connection->Roundtrip();
  const WindowHandle before = watcher->toplevels->LastId();
  StartShowModeWatcher([watcher, before, showMode] { Watch(*watcher, before, showMode); });
}

}  // namespace tolm
