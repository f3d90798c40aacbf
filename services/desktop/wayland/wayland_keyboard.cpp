#include "services/desktop/wayland/wayland_keyboard.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <cerrno>

#include "services/seams/debug_log.h"
#include "services/core/errors.h"
#include "services/seams/event_pump.h"
#include "services/platform/posix/unique_fd.h"
#include "virtual-keyboard-unstable-v1-client-protocol.h"

namespace tolm {
namespace {

using Clock = std::chrono::steady_clock;

// Timestamps in milliseconds on one clock, as the protocol asks.
uint32_t Now() {
  return static_cast<uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch()).count());
}

// The keymap text in an anonymous file, with its terminating NUL, as
// compositors map it.
UniqueFd KeymapFile(const std::string& text) {
  UniqueFd fd(memfd_create("tolm-keymap", MFD_CLOEXEC));
  if (!fd.Valid()) throw Exception("Cannot create the keymap for keystrokes: " + SysErrorText(errno));
  const char* data = text.c_str();
  size_t left = text.size() + 1;
  while (left > 0) {
    const ssize_t n = write(fd.Get(), data, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw Exception("Cannot write the keymap for keystrokes: " + SysErrorText(errno));
    data += n;
    left -= static_cast<size_t>(n);
  }
  return fd;
}

}  // namespace

WaylandKeyboard::~WaylandKeyboard() {
  if (keyboard_ != nullptr) zwp_virtual_keyboard_v1_destroy(keyboard_);
}

void WaylandKeyboard::Create() {
  const bool hadKeyboard = (connection_.SeatCapabilities() & WL_SEAT_CAPABILITY_KEYBOARD) != 0;
  keyboard_ = zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(connection_.KeyboardManager(), connection_.Seat());
  UploadFrom(0);
  connection_.Roundtrip();
  if (hadKeyboard) return;
  const Clock::time_point deadline = Clock::now() + kCompositorAnswerTime;
  while ((connection_.SeatCapabilities() & WL_SEAT_CAPABILITY_KEYBOARD) == 0 && Clock::now() < deadline) {
    connection_.Roundtrip();
  }
  DebugLog("Wayland: the seat got its first keyboard; waiting " + std::to_string(kKeyboardSettleTime.count()) +
           " ms for programs to take it");
  const Clock::time_point settled = Clock::now() + kKeyboardSettleTime;
  while (Clock::now() < settled) PumpWaitUntil(settled);
}

void WaylandKeyboard::BeginKeys(const std::vector<char32_t>& characters) {
  characters_ = characters;
  characterIndex_.clear();
  for (size_t i = 0; i < characters_.size(); ++i) characterIndex_.emplace(characters_[i], i);
  events_ = 0;
  batchStart_ = Clock::now();
  abandonAtEnd_.emplace([this] { Abandon(); });
  if (keyboard_ == nullptr) {
    Create();
  } else {
    UploadFrom(0);
  }
}

void WaylandKeyboard::UploadFrom(size_t first) {
  std::vector<char32_t> order;
  order.reserve(characters_.size());
  for (size_t i = 0; i < characters_.size(); ++i) order.push_back(characters_[(first + i) % characters_.size()]);
  keymap_.emplace(order);
  const UniqueFd file = KeymapFile(keymap_->Text());
  zwp_virtual_keyboard_v1_keymap(keyboard_, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, file.Get(),
                                 static_cast<uint32_t>(keymap_->Text().size() + 1));
  // A new keymap starts with a fresh state in the compositor: the modifiers
  // still held are announced again.
  SendModifiers();
  connection_.Flush();
}

std::optional<bool> WaylandKeyboard::CharacterNeedsShift(char32_t character) {
  // Asked before a character's events: the place to start a new round.
  std::optional<KeymapKey> key = keymap_->Find(character);
  if (!key) {
    const auto index = characterIndex_.find(character);
    if (index == characterIndex_.end()) return std::nullopt;
    UploadFrom(index->second);
    key = keymap_->Find(character);
  }
  if (!key) return std::nullopt;  // no keysym types it
  return key->shift;
}

void WaylandKeyboard::PressNamed(NamedKey key, bool down) {
  Send(WaylandKeymap::NamedKeycode(key), down);
  if (const uint32_t mask = WaylandKeymap::ModifierMask(key)) {
    modifiers_ = down ? (modifiers_ | mask) : (modifiers_ & ~mask);
    SendModifiers();
  }
  Count();
}

void WaylandKeyboard::PressCharacter(char32_t character, bool down) {
  if (const std::optional<KeymapKey> key = keymap_->Find(character)) {
    Send(key->keycode, down);
    Count();
  }
}

void WaylandKeyboard::Send(uint32_t keycode, bool down) {
  zwp_virtual_keyboard_v1_key(keyboard_, Now(), keycode - kKeycodeOffset,
                              down ? WL_KEYBOARD_KEY_STATE_PRESSED : WL_KEYBOARD_KEY_STATE_RELEASED);
  if (down) {
    down_.insert(keycode);
  } else {
    down_.erase(keycode);
  }
}

void WaylandKeyboard::SendModifiers() { zwp_virtual_keyboard_v1_modifiers(keyboard_, modifiers_, 0, 0, 0); }

void WaylandKeyboard::Count() {
  ++events_;
  if (events_ % kSyncInterval == 0) {
    connection_.Roundtrip();
    // The pace: a batch takes at least its share of a second, waited on
    // the pump so a close request still ends the typing at once.
    const Clock::time_point due =
        batchStart_ + std::chrono::microseconds(1000000ull * kSyncInterval / kMaxEventsPerSecond);
    while (Clock::now() < due) PumpWaitUntil(due);
    batchStart_ = Clock::now();
  } else if (events_ % kFlushInterval == 0) {
    connection_.Flush();
    connection_.DispatchAvailable();
  }
}

void WaylandKeyboard::EndKeys() {
  abandonAtEnd_.reset();
  connection_.Roundtrip();
}

void WaylandKeyboard::Abandon() {
  if (keyboard_ == nullptr) return;
  for (uint32_t keycode : std::set<uint32_t>(down_)) Send(keycode, false);
  modifiers_ = 0;
  SendModifiers();
  // The program is ending: the compositor must have handled the releases
  // before the connection closes.
  connection_.SettleBeforeExit(kReleaseTime);
}

}  // namespace tolm
