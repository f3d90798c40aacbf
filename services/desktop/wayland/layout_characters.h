// The characters one layout (XKB group) of the compositor's keymap can type,
// and the key and levels that type each: for the desktops whose typing
// presses keys of the compositor's keymap in use and can add no keys of its
// own (KWin's fake input, Mutter's remote desktop).
//
// A character counts when a key of the group has it on a level reached with
// no modifier, SHIFT, the third-level modifier (AltGr on most layouts), or
// both; a level that needs CTRL, ALT, Num Lock or anything else does not.
// Where several keys type a character, the one with the fewest modifiers is
// taken (no modifier, then SHIFT, then AltGr, then both), a keypad key only
// when no other key types it, and among equals the lowest key code. Keys
// above code 255 are left out: programs that run through Xwayland never get
// them. The third-level key is right Alt where that is AltGr.
#pragma once

#include <xkbcommon/xkbcommon.h>

#include <cstdint>
#include <optional>
#include <unordered_map>

namespace tolm {

struct LayoutKey {
  uint32_t keycode = 0;     // XKB key code (evdev + 8)
  bool shift = false;       // the character's level needs SHIFT
  uint32_t levelThree = 0;  // XKB key code of the third-level key to hold around it, 0 for none
};

class LayoutCharacters {
 public:
  LayoutCharacters(xkb_keymap* keymap, xkb_layout_index_t group);

  std::optional<LayoutKey> Find(char32_t character) const;
  size_t Size() const { return keys_.size(); }

 private:
  std::unordered_map<char32_t, LayoutKey> keys_;
};

}  // namespace tolm
