// A snapshot of the keyboard map of one input device in its active XKB group:
// which key types a character, and which keys have no symbols at all (spare
// keys that can be bound to a character for a while).
#pragma once

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace tolm {

// X's 8-bit key number. Named apart from the project's KeyCode (a key code
// of a translated key string), which is a different thing.
using XKeyCode = ::KeyCode;

struct CharacterKey {
  XKeyCode keycode = 0;
  bool shift = false;  // the character is on the key's SHIFT level
};

// The character a keysym types: Latin-1 and Unicode keysyms, and the
// currency keysyms (EuroSign among them) whose value is the code point.
// 0 for keysyms that type no character (function keys, dead keys, ...).
char32_t KeysymCharacter(KeySym keysym);
// The keysym to bind for a character: Latin-1 directly, else the Unicode keysym.
KeySym CharacterKeysym(char32_t character);

class X11KeyboardMap {
 public:
  // Reads the map and the active group of the device (its XKB device specifier).
  static X11KeyboardMap Read(Display* display, unsigned int device);

  // Only the first two levels take part: the plain level and the one reached
  // with SHIFT alone. A character that needs AltGr or other modifiers counts
  // as missing, so it is typed through a bound spare key instead of being
  // mistyped with SHIFT. The plain level wins over SHIFT, then the lower key.
  std::optional<CharacterKey> Find(char32_t character) const;
  // A key whose plain level in the active group carries the keysym, else any
  // key that carries it on any group or level.
  std::optional<XKeyCode> FindKeysym(KeySym keysym) const;
  // Keys without any symbol, lowest first.
  const std::vector<XKeyCode>& SpareKeys() const { return spare_; }

 private:
  int group_ = 0;
  std::unordered_map<char32_t, CharacterKey> characters_;
  std::unordered_map<KeySym, XKeyCode> plainKeysyms_;
  std::unordered_map<KeySym, XKeyCode> anyKeysyms_;
  std::vector<XKeyCode> spare_;
};

}  // namespace tolm
