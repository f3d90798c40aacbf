// The keymap of the seat's keyboard, as the compositor announces it to every
// client, and the characters each of its layouts types (LayoutCharacters):
// for the desktops whose typing presses keys of the compositor's own keymap
// (KWin's fake input, Mutter's remote desktop), so that every character is
// looked up there. A keymap the compositor replaces (a layout added in the
// settings) is taken at the next TakeChanges.
#pragma once

#include <xkbcommon/xkbcommon.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "services/desktop/wayland/layout_characters.h"
#include "services/desktop/wayland/wayland_connection.h"

struct wl_keyboard;

namespace tolm {

class SeatKeymap {
 public:
  SeatKeymap() = default;
  ~SeatKeymap();
  SeatKeymap(const SeatKeymap&) = delete;
  SeatKeymap& operator=(const SeatKeymap&) = delete;

  // Takes the seat's keyboard as soon as the seat has one, and waits until
  // its keymap has come; past deadline fails with timeoutMessage. The
  // connection must outlive this object.
  void WaitFor(WaylandConnection& connection, std::chrono::steady_clock::time_point deadline,
               const std::string& timeoutMessage);
  // After the connection's events were dispatched: forgets the layouts of a
  // keymap that has been replaced.
  void TakeChanges();
  xkb_layout_index_t Layouts() const { return static_cast<xkb_layout_index_t>(layouts_.size()); }
  // Made on first use: most key strings need only the layout in use.
  const LayoutCharacters& Layout(xkb_layout_index_t group);

  // Called by the wl_keyboard listener.
  void OnKeymap(int fd, uint32_t size, uint32_t format);

 private:
  struct XkbContextDeleter {
    void operator()(xkb_context* c) const { xkb_context_unref(c); }
  };
  struct XkbKeymapDeleter {
    void operator()(xkb_keymap* k) const { xkb_keymap_unref(k); }
  };

  wl_keyboard* keyboard_ = nullptr;
  std::unique_ptr<xkb_context, XkbContextDeleter> xkb_;
  std::unique_ptr<xkb_keymap, XkbKeymapDeleter> keymap_;
  bool changed_ = false;
  std::vector<std::optional<LayoutCharacters>> layouts_;  // by group, for keymap_
};

}  // namespace tolm
