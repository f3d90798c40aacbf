// The keymaps the virtual keyboard uploads: text in the XKB keymap format
// that holds the named keys at their usual places (so programs that look at
// key positions see the keys they expect) and the characters a key string
// needs on keys of their own. A character with a case partner (a and A) shares
// a key with it, the lower case on the plain level and the upper case on the
// SHIFT level, so capitals are typed with SHIFT as on a real keyboard; every
// other character is alone on its key and types whatever the modifiers.
// Because the keymap is our own, every character types, whatever layout the
// user has.
#pragma once

#include <xkbcommon/xkbcommon.h>

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "services/seams/keyboard.h"

namespace tolm {

// Key numbers are XKB key codes; the virtual keyboard sends them less 8
// (the evdev numbering the protocol uses).
inline constexpr uint32_t kKeycodeOffset = 8;

// Modifier masks of the keymaps (XKB's fixed real modifiers).
inline constexpr uint32_t kShiftMask = 1u << 0;
inline constexpr uint32_t kControlMask = 1u << 2;
inline constexpr uint32_t kAltMask = 1u << 3;  // Mod1

struct KeymapKey {
  uint32_t keycode = 0;  // XKB key code
  bool shift = false;    // on the SHIFT level
};

class WaylandKeymap {
 public:
  // Keys left for characters beside the named keys (codes up to 255, the
  // limit of X programs running through Xwayland).
  static size_t CharacterKeys();

  // Places the characters in order, until the character keys are full;
  // characters without a keysym are left out. Placed() tells how many of
  // the list it took.
  explicit WaylandKeymap(const std::vector<char32_t>& characters);

  const std::string& Text() const { return text_; }
  size_t Placed() const { return placed_; }
  std::optional<KeymapKey> Find(char32_t character) const;
  static uint32_t NamedKeycode(NamedKey key);
  // The mask a modifier key sets, 0 for other keys.
  static uint32_t ModifierMask(NamedKey key);

 private:
  std::unordered_map<char32_t, KeymapKey> characters_;
  std::string text_;
  size_t placed_ = 0;
};

}  // namespace tolm
