#include "services/desktop/wayland/seat_keymap.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <cstring>

#include "services/core/errors.h"

namespace tolm {
namespace {

void HandleKeymap(void* data, wl_keyboard*, uint32_t format, int32_t fd, uint32_t size) {
  static_cast<SeatKeymap*>(data)->OnKeymap(fd, size, format);
}
void HandleEnter(void*, wl_keyboard*, uint32_t, wl_surface*, wl_array*) {}
void HandleLeave(void*, wl_keyboard*, uint32_t, wl_surface*) {}
void HandleKey(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t) {}
void HandleModifiers(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {}
void HandleRepeatInfo(void*, wl_keyboard*, int32_t, int32_t) {}
constexpr wl_keyboard_listener kKeyboardListener{HandleKeymap,    HandleEnter,     HandleLeave,
                                                 HandleKey,       HandleModifiers, HandleRepeatInfo};

}  // namespace

SeatKeymap::~SeatKeymap() {
  if (keyboard_ != nullptr) wl_keyboard_destroy(keyboard_);
}

void SeatKeymap::WaitFor(WaylandConnection& connection, std::chrono::steady_clock::time_point deadline,
                         const std::string& timeoutMessage) {
  while (!keymap_) {
    if (keyboard_ == nullptr && (connection.SeatCapabilities() & WL_SEAT_CAPABILITY_KEYBOARD) != 0) {
      keyboard_ = wl_seat_get_keyboard(connection.Seat());
      wl_keyboard_add_listener(keyboard_, &kKeyboardListener, this);
      connection.Roundtrip();
      continue;
    }
    if (std::chrono::steady_clock::now() >= deadline) throw Exception(timeoutMessage);
    connection.WaitForEvents(deadline);
  }
  TakeChanges();
}

void SeatKeymap::TakeChanges() {
  if (!changed_) return;
  layouts_.assign(xkb_keymap_num_layouts(keymap_.get()), std::nullopt);
  changed_ = false;
}

const LayoutCharacters& SeatKeymap::Layout(xkb_layout_index_t group) {
  if (!layouts_[group]) layouts_[group].emplace(keymap_.get(), group);
  return *layouts_[group];
}

void SeatKeymap::OnKeymap(int fd, uint32_t size, uint32_t format) {
  if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 && size > 0) {
    void* text = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    if (text != MAP_FAILED) {
      if (!xkb_) xkb_.reset(xkb_context_new(static_cast<xkb_context_flags>(
          XKB_CONTEXT_NO_DEFAULT_INCLUDES | XKB_CONTEXT_NO_ENVIRONMENT_NAMES)));
      // The text, without the NUL compositors end it with.
      const char* chars = static_cast<const char*>(text);
      xkb_keymap* keymap = xkb_keymap_new_from_buffer(xkb_.get(), chars, strnlen(chars, size),
                                                      XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS);
      munmap(text, size);
      if (keymap != nullptr) {
        keymap_.reset(keymap);
        changed_ = true;
      }
    }
  }
  close(fd);
}

}  // namespace tolm
