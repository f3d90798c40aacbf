#include "services/key_translation.h"

#include <array>
#include <string>

#include "services/text.h"

namespace tolm {
namespace {

struct KeyName {
  std::string_view name;
  KeyCode code;
};

// Searched in this order: "{DELETE}" is tried before "{DEL}", "{F1}" before
// "{F10}" (the repeat form needs a blank, so "{F10}" never reads as F1).
// Names with code 0 are accepted and send nothing.
constexpr std::array<KeyName, 43> kKeyNameTable{{
    {"{ALT}", kAltDown},     {"{SHIFT}", kShiftDown}, {"{CTRL}", kCtrlDown},
    {"{BACKSPACE}", 8},      {"{BS}", 8},             {"{BKSP}", 8},
    {"{BREAK}", 0},          {"{CAPSLOCK}", 0},       {"{DELETE}", kKeyDelete},
    {"{DEL}", kKeyDelete},   {"{DOWN}", kKeyDown},    {"{END}", kKeyEnd},
    {"{ENTER}", kKeyEnter},  {"{ESC}", kKeyEscape},   {"{HELP}", 0},
    {"{HOME}", kKeyHome},    {"{INSERT}", kKeyInsert}, {"{INS}", kKeyInsert},
    {"{LEFT}", kKeyLeft},    {"{NUMLOCK}", 0},        {"{PGDN}", kKeyPageDown},
    {"{PGUP}", kKeyPageUp},  {"{PRTSC}", 0},          {"{RIGHT}", kKeyRight},
    {"{SCROLLLOCK}", 0},     {"{TAB}", kKeyTab},      {"{UP}", kKeyUp},
    {"{F1}", 228},           {"{F2}", 229},           {"{F3}", 230},
    {"{F4}", 231},           {"{F5}", 232},           {"{F6}", 233},
    {"{F7}", 234},           {"{F8}", 235},           {"{F9}", 236},
    {"{F10}", 237},          {"{F11}", 238},          {"{F12}", 239},
    {"{F13}", 0},            {"{F14}", 0},            {"{F15}", 0},
    {"{F16}", 0},
}};

// Length of the valid multi-byte UTF-8 sequence at the start of s (2..4),
// with its code point, or 0 when s does not start with one. Overlong forms,
// surrogates and values above U+10FFFF are not valid.
size_t Utf8SequenceAt(std::string_view s, char32_t& codePoint) {
  if (s.empty()) return 0;
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char lead = byte(0);
  size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (s.size() < length || byte(1) < low || byte(1) > high) return 0;
  char32_t cp = lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (byte(i) & 0x3F);
  }
  codePoint = cp;
  return length;
}

class Translator {
 public:
  KeyCodes Run(std::string_view keys) {
    size_t i = 0;
    while (i < keys.size()) i = Step(keys, i);
    return std::move(out_);
  }

 private:
  // Handles the character at i and returns where translation continues.
  size_t Step(std::string_view keys, size_t i) {
    switch (keys[i]) {
      case '+': Press(kShiftDown); return i + 1;
      case '^': Press(kCtrlDown); return i + 1;
      case '%': Press(kAltDown); return i + 1;
      case '~': out_.push_back(kKeyEnter); return i + 1;  // no release here
      case '(':
        if (shift_ || ctrl_ || alt_) {
          group_ = true;
          return i + 1;
        }
        break;
      case ')':
        if (group_) {
          group_ = false;
          Release();
          return i + 1;
        }
        break;
      case '{': return Brace(keys, i);
      default: break;
    }
    const size_t length = AppendCharacter(keys.substr(i));
    Release();
    return i + length;
  }

  void Press(KeyCode modifier) {
    out_.push_back(modifier);
    if (modifier == kShiftDown) shift_ = true;
    if (modifier == kCtrlDown) ctrl_ = true;
    if (modifier == kAltDown) alt_ = true;
  }

  // Appends the code of one character (a UTF-8 sequence or a byte) from the
  // start of s and returns how many bytes it took.
  size_t AppendCharacter(std::string_view s) {
    char32_t cp = 0;
    const size_t length = Utf8SequenceAt(s, cp);
    if (length > 0) {
      out_.push_back(UnicodeKey(cp));
      return length;
    }
    out_.push_back(static_cast<unsigned char>(s[0]));
    return 1;
  }

  void AppendCharacters(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) i += AppendCharacter(s.substr(i));
  }

  void Release() {
    if (group_) return;
    if (shift_) out_.push_back(kShiftUp);
    if (ctrl_) out_.push_back(kCtrlUp);
    if (alt_) out_.push_back(kAltUp);
    shift_ = ctrl_ = alt_ = false;
  }

  size_t Brace(std::string_view keys, size_t open) {
    const size_t close = keys.find('}', open + 1);
    if (close == std::string_view::npos) {
      // No closing brace: nothing more can be a brace form, so the "{" and
      // everything after it are typed as they stand.
      AppendCharacters(keys.substr(open));
      Release();
      return keys.size();
    }
    const std::string_view b = keys.substr(open, close - open + 1);
    if (!NamedKeyForm(b)) RepeatForm(b);
    Release();
    return close + 1;
  }

  // "{NAME}" or "{NAME count}"; false when no table entry applies.
  bool NamedKeyForm(std::string_view b) {
    for (const KeyName& entry : kKeyNameTable) {
      if (b == entry.name) {
        Append(entry.code, 1);
        return true;
      }
      const std::string_view stem = entry.name.substr(0, entry.name.size() - 1);
      if (b.size() > stem.size() && b.substr(0, stem.size()) == stem && b[stem.size()] == ' ') {
        const std::string_view countText = b.substr(stem.size() + 1, b.size() - stem.size() - 2);
        Append(entry.code, ValNumber(countText));
        return true;
      }
    }
    return false;
  }

  // "{text count}": text typed count times, unchanged (no modifier meaning).
  void RepeatForm(std::string_view b) {
    const std::string_view inner = b.substr(1, b.size() - 2);
    const size_t blank = inner.rfind(' ');
    const std::string_view countText = blank == std::string_view::npos ? inner : inner.substr(blank + 1);
    const std::string_view text = blank == std::string_view::npos ? std::string_view{} : inner.substr(0, blank);
    for (int32_t n = ValNumber(countText); n > 0; --n) AppendCharacters(text);
  }

  void Append(KeyCode code, int32_t count) {
    for (int32_t n = 0; n < count; ++n) {
      if (code == kShiftDown || code == kCtrlDown || code == kAltDown) {
        Press(code);
      } else {
        out_.push_back(code);
      }
    }
  }

  KeyCodes out_;
  bool shift_ = false, ctrl_ = false, alt_ = false, group_ = false;
};

}  // namespace

char32_t CharacterOfKeyCode(KeyCode code) {
  if (code >= kUnicodeBase) return code - kUnicodeBase;
  if (code >= 32 && code < kKeyF1) return code;
  return 0;
}

KeyCodes TranslateKeys(std::string_view keyString) { return Translator().Run(keyString); }

}  // namespace tolm
