// Keystrokes on a wlroots compositor through a virtual keyboard of our own.
//
// The keyboard uploads a keymap of its own for each key string, holding the
// named keys and the characters the string types (wayland_keymap.h). When a
// string needs more characters than one keymap holds, it is typed in rounds:
// a character outside the current keymap uploads the next one, starting with
// that character. The compositor passes a new keymap to the focused program
// in order with the key events, so a round needs no pause.
//
// The virtual keyboard is created by the first key string and kept until
// the program ends. When the seat had no keyboard before, the compositor
// announces one to every program at that moment, and the focused program
// binds it only when it gets to that announcement: keys sent before are lost
// to it. So the first key string waits until the seat has the keyboard and
// then kKeyboardSettleTime for the programs to bind it.
//
// The compositor tracks modifiers only as the keyboard reports them, so each
// SHIFT, CTRL or ALT event is followed by the new modifier state. Requests
// are flushed in batches and every kSyncInterval events the keyboard waits
// until the compositor has handled them, so a long string never outruns the
// compositor or the program it types into. A string ends with a round trip:
// every event has reached the compositor when SendKeys returns. When a
// close request ends the program in the middle of a string, the keys it
// holds down are released first, and the program ends once the compositor
// has handled that (at most kReleaseTime later).
#pragma once

#include <chrono>
#include <optional>
#include <set>
#include <unordered_map>
#include <vector>

#include "services/seams/keyboard.h"
#include "services/seams/program_end.h"
#include "services/desktop/wayland/wayland_connection.h"
#include "services/desktop/wayland/wayland_keymap.h"

struct zwp_virtual_keyboard_v1;

namespace tolm {

inline constexpr std::chrono::milliseconds kKeyboardSettleTime{200};
// How long the end of the program waits for the compositor to take the
// releases of keys a key string held down.
inline constexpr std::chrono::milliseconds kReleaseTime{500};
inline constexpr unsigned kFlushInterval = 32;
inline constexpr unsigned kSyncInterval = 512;
// At most this many key events a second. The compositor passes the keys on
// to the focused program as fast as they come and disconnects a program that
// falls too far behind in reading them (its socket fills up), so a long
// string must not outrun the program it types into.
inline constexpr unsigned kMaxEventsPerSecond = 10000;

class WaylandKeyboard : public KeyboardSystem {
 public:
  explicit WaylandKeyboard(WaylandConnection& connection) : connection_(connection) {}
  ~WaylandKeyboard() override;
  WaylandKeyboard(const WaylandKeyboard&) = delete;
  WaylandKeyboard& operator=(const WaylandKeyboard&) = delete;

  void BeginKeys(const std::vector<char32_t>& characters) override;
  std::optional<bool> CharacterNeedsShift(char32_t character) override;
  void PressNamed(NamedKey key, bool down) override;
  void PressCharacter(char32_t character, bool down) override;
  void EndKeys() override;

 private:
  // Creates the virtual keyboard on first use and waits until programs can
  // receive its keys.
  void Create();
  // Uploads the keymap of the characters from characters_[first] on, around
  // to the start.
  void UploadFrom(size_t first);
  void Send(uint32_t keycode, bool down);
  void SendModifiers();
  void Count();
  void Abandon();

  WaylandConnection& connection_;
  zwp_virtual_keyboard_v1* keyboard_ = nullptr;
  std::optional<WaylandKeymap> keymap_;
  std::vector<char32_t> characters_;  // the key string's distinct characters
  std::unordered_map<char32_t, size_t> characterIndex_;
  std::set<uint32_t> down_;  // keys this keyboard holds down
  uint32_t modifiers_ = 0;
  unsigned events_ = 0;
  std::chrono::steady_clock::time_point batchStart_;
  std::optional<AtProgramEnd> abandonAtEnd_;  // while a key string is sent
};

}  // namespace tolm
