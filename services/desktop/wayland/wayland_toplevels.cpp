#include "services/desktop/wayland/wayland_toplevels.h"

#include <wayland-client.h>

#include <algorithm>

#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"

namespace tolm {
namespace {

WaylandToplevel& Of(void* data) { return *static_cast<WaylandToplevel*>(data); }

void OnTitle(void* data, zwlr_foreign_toplevel_handle_v1*, const char* title) { Of(data).pendingTitle = title; }
void OnAppId(void* data, zwlr_foreign_toplevel_handle_v1*, const char* appId) { Of(data).pendingAppId = appId; }
void OnOutputEnter(void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {}
void OnOutputLeave(void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {}
void OnState(void* data, zwlr_foreign_toplevel_handle_v1*, wl_array* states) {
  bool activated = false;
  const auto* state = static_cast<const uint32_t*>(states->data);
  for (size_t i = 0; i < states->size / sizeof(uint32_t); ++i) {
    if (state[i] == ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED) activated = true;
  }
  Of(data).pendingActivated = activated;
}
void OnDone(void* data, zwlr_foreign_toplevel_handle_v1*) {
  WaylandToplevel& t = Of(data);
  t.title = t.pendingTitle;
  t.appId = t.pendingAppId;
  t.activated = t.pendingActivated;
  t.complete = true;
}
void OnClosedEvent(void* data, zwlr_foreign_toplevel_handle_v1*) {
  WaylandToplevel& t = Of(data);
  t.closed = true;
}
void OnParent(void*, zwlr_foreign_toplevel_handle_v1*, zwlr_foreign_toplevel_handle_v1*) {}

constexpr zwlr_foreign_toplevel_handle_v1_listener kHandleListener{
    OnTitle, OnAppId, OnOutputEnter, OnOutputLeave, OnState, OnDone, OnClosedEvent, OnParent};

void OnManagerToplevel(void* data, zwlr_foreign_toplevel_manager_v1*, zwlr_foreign_toplevel_handle_v1* handle) {
  static_cast<WaylandToplevels*>(data)->OnToplevel(handle);
}
void OnManagerFinished(void*, zwlr_foreign_toplevel_manager_v1*) {}
constexpr zwlr_foreign_toplevel_manager_v1_listener kManagerListener{OnManagerToplevel, OnManagerFinished};

}  // namespace

WaylandToplevels::WaylandToplevels(WaylandConnection& connection) {
  zwlr_foreign_toplevel_manager_v1_add_listener(connection.BindToplevelManager(), &kManagerListener, this);
}

WaylandToplevels::~WaylandToplevels() {
  for (const auto& t : toplevels_) zwlr_foreign_toplevel_handle_v1_destroy(t->handle);
}

void WaylandToplevels::OnToplevel(zwlr_foreign_toplevel_handle_v1* handle) {
  // Closed toplevels are dropped here, when no listener call of theirs can
  // be on the stack any more.
  std::erase_if(toplevels_, [](const std::unique_ptr<WaylandToplevel>& t) {
    if (!t->closed) return false;
    zwlr_foreign_toplevel_handle_v1_destroy(t->handle);
    return true;
  });
  auto toplevel = std::make_unique<WaylandToplevel>();
  toplevel->id = nextId_++;
  toplevel->handle = handle;
  zwlr_foreign_toplevel_handle_v1_add_listener(handle, &kHandleListener, toplevel.get());
  toplevels_.push_back(std::move(toplevel));
}

std::vector<const WaylandToplevel*> WaylandToplevels::Current() const {
  std::vector<const WaylandToplevel*> result;
  for (auto it = toplevels_.rbegin(); it != toplevels_.rend(); ++it) {
    if ((*it)->complete && !(*it)->closed) result.push_back(it->get());
  }
  std::stable_partition(result.begin(), result.end(), [](const WaylandToplevel* t) { return t->activated; });
  return result;
}

zwlr_foreign_toplevel_handle_v1* WaylandToplevels::Find(WindowHandle id) const {
  for (const auto& t : toplevels_) {
    if (t->id == id && !t->closed) return t->handle;
  }
  return nullptr;
}

}  // namespace tolm
