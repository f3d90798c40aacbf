// The toplevel windows of a wlroots compositor, as its foreign toplevel
// manager reports them: each with its title and app id, kept up to date by
// the events the connection dispatches. A toplevel enters the list with its
// first "done" event (when its details are complete) and leaves it with its
// "closed" event; a handle found earlier then names nothing, and acting on it
// does nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "services/desktop/wayland/wayland_connection.h"
#include "services/seams/window_search.h"

struct zwlr_foreign_toplevel_handle_v1;

namespace tolm {

struct WaylandToplevel {
  WindowHandle id = kNoWindow;  // ours: 1, 2, ... in the order they appeared
  zwlr_foreign_toplevel_handle_v1* handle = nullptr;
  std::string title;
  std::string appId;
  bool activated = false;
  bool complete = false;  // a "done" event has arrived
  bool closed = false;
  // Details announced since the last "done", applied at the next one.
  std::string pendingTitle;
  std::string pendingAppId;
  bool pendingActivated = false;
};

class WaylandToplevels {
 public:
  // Binds the connection's toplevel manager; the toplevels arrive with the
  // next dispatch (Open's caller makes a round trip).
  explicit WaylandToplevels(WaylandConnection& connection);
  ~WaylandToplevels();
  WaylandToplevels(const WaylandToplevels&) = delete;
  WaylandToplevels& operator=(const WaylandToplevels&) = delete;

  // The complete, open toplevels: the active one first, then the others from
  // the newest to the oldest (the protocol tells no stacking order).
  std::vector<const WaylandToplevel*> Current() const;
  // The open toplevel with this id, or nullptr.
  zwlr_foreign_toplevel_handle_v1* Find(WindowHandle id) const;
  // The highest id handed out so far: toplevels above it are newer.
  WindowHandle LastId() const { return nextId_ - 1; }

  // Called by the manager's listener.
  void OnToplevel(zwlr_foreign_toplevel_handle_v1* handle);

 private:
  std::vector<std::unique_ptr<WaylandToplevel>> toplevels_;
  WindowHandle nextId_ = 1;
};

}  // namespace tolm
