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

// A key code sent count times in a row (count is at least 1). A repeat such
// as "{ENTER 1000}" is one run, whatever its count.
struct KeyRun {
  KeyCode code;
  uint32_t count;
  bool operator==(const KeyRun&) const = default;
};
using KeyRuns = std::vector<KeyRun>;

// Translates a key string piece by piece, so that a script's repeat counts
// cost time while the keys are sent, never memory up front:
// "+", "^", "%" press SHIFT, CTRL, ALT for the next key or the next
// parenthesised group; "~" is Enter; "{NAME}", "{NAME n}" and "{text n}" give
// named keys and repeats. A "{" without a "}" after it stops the brace search:
// it and the rest of the string are typed as ordinary characters. Modifiers
// still pending at the end stay pressed.
class KeyTranslator {
 public:
  // Once: every repeat is taken at most once, which gives the same keys a
  // key string types without their repetitions.
  enum class Repeats { AsWritten, Once };

  explicit KeyTranslator(std::string_view keyString, Repeats repeats = Repeats::AsWritten)
      : keys_(keyString), once_(repeats == Repeats::Once) {}

  // Replaces runs with the next runs of the key string, in order: a few
  // hundred at most, plus the length of the key string. False, with runs
  // empty, once the key string is done.
  bool Next(KeyRuns& runs);

 private:
  size_t Step(size_t i);
  void Emit(KeyCode code, uint32_t count = 1);
  void Press(KeyCode modifier, uint32_t count = 1);
  void Release();
  size_t Brace(size_t open);
  bool NamedKeyForm(std::string_view b);
  void RepeatForm(std::string_view b);
  void RepeatOnce();

  std::string_view keys_;
  bool once_;
  size_t pos_ = 0;
  bool shift_ = false, ctrl_ = false, alt_ = false, group_ = false;
  // The text of a "{text n}" repeat still being produced, and how many
  // repetitions are left; the modifiers are released after the last one.
  std::vector<KeyCode> repeatText_;
  uint32_t repeatsLeft_ = 0;
  KeyRuns* out_ = nullptr;
};

// The distinct characters a key string types, in the order they first
// appear; repeats add none, so this costs no more than the string's length.
std::vector<char32_t> CharactersOfKeys(std::string_view keyString);

// Every key name of the brace form ("{ENTER}", "{F1}", ...), in the order a
// key string is matched against them. The man page lists them all.
std::vector<std::string_view> KeyNames();

}  // namespace tolm
