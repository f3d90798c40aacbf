// How one character of a key string is typed on Windows: through the key the
// keyboard layout has for it, when pressing that key gives the character
// back, or else as the character itself (a Unicode key event), so that no
// character is lost. Applications that read virtual keys see the layout's key
// for every character the layout can type.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace tolm {

// A key of the layout, pressed with SHIFT or without it.
struct LayoutKey {
  BYTE virtualKey;
  bool shift;
  bool operator==(const LayoutKey&) const = default;
};

struct CharacterKeys {
  std::optional<LayoutKey> layoutKey;  // nullopt: typed as a Unicode character
  std::wstring units;                  // the character in UTF-16 (two units beyond U+FFFF)
};

// The character in UTF-16: below 0x100 it is a byte of the script, read in
// the program's 8-bit code page as the scripts are written; above, a
// character written in UTF-8, by its Unicode value. Empty for a value that is
// no character.
std::wstring Utf16OfCharacter(char32_t character);

// The layout's key for the character (VkKeyScanExW), kept only when that key,
// pressed with the SHIFT the sender adds for it (the sender adds SHIFT for any
// of the SHIFT, CTRL and ALT the layout asks for), gives the character back
// (ToUnicodeEx). Under Wine, for example, the layout may report no key or a
// keypad key that gives no character.
CharacterKeys KeysForCharacter(char32_t character, HKL layout);

}  // namespace tolm
