// Key strings ("/sendkeys" arguments) and the key code sequence they stand for.
// The translation is pure text processing; sending the codes is keys.h.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tolm {

// One key event to produce. Values 0..255 keep the byte meanings of the key
// code string: control keys, ordinary characters (32..227, read as Latin-1),
// F1..F12, the cursor block and the modifier down/up codes. A valid multi-byte
// UTF-8 character of the key string is one key, typed through its keysym: it
// is stored as kUnicodeBase + its code point, above every byte meaning.
using KeyCode = uint32_t;
using KeyCodes = std::vector<KeyCode>;

inline constexpr KeyCode kKeyNone = 0;
inline constexpr KeyCode kKeyBackspace = 8;
inline constexpr KeyCode kKeyTab = 9;
inline constexpr KeyCode kKeyEnter = 13;
inline constexpr KeyCode kKeyEscape = 27;
inline constexpr KeyCode kKeyF1 = 228;  // F1..F12 are 228..239
inline constexpr KeyCode kKeyF12 = 239;
inline constexpr KeyCode kKeyHome = 240;
inline constexpr KeyCode kKeyEnd = 241;
inline constexpr KeyCode kKeyUp = 242;
inline constexpr KeyCode kKeyDown = 243;
inline constexpr KeyCode kKeyLeft = 244;
inline constexpr KeyCode kKeyRight = 245;
inline constexpr KeyCode kKeyPageUp = 246;
inline constexpr KeyCode kKeyPageDown = 247;
inline constexpr KeyCode kKeyInsert = 248;
inline constexpr KeyCode kKeyDelete = 249;
inline constexpr KeyCode kShiftDown = 250;
inline constexpr KeyCode kShiftUp = 251;
inline constexpr KeyCode kCtrlDown = 252;
inline constexpr KeyCode kCtrlUp = 253;
inline constexpr KeyCode kAltDown = 254;
inline constexpr KeyCode kAltUp = 255;
inline constexpr KeyCode kUnicodeBase = 256;

constexpr KeyCode UnicodeKey(char32_t codePoint) { return kUnicodeBase + codePoint; }

// The character an ordinary key code types, or 0 when the code is not an
// ordinary character (control keys, special keys, modifiers).
char32_t CharacterOfKeyCode(KeyCode code);

// Translates a key string: "+", "^", "%" press SHIFT, CTRL, ALT for the next
// key or the next parenthesised group; "~" is Enter; "{NAME}", "{NAME n}" and
// "{text n}" give named keys and repeats. A "{" without a "}" after it stops
// the brace search: it and the rest of the string are typed as ordinary
// characters. Modifiers still pending at the end stay pressed.
KeyCodes TranslateKeys(std::string_view keyString);

}  // namespace tolm
