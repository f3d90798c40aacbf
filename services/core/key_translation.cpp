#include "services/core/key_translation.h"

#include <array>
#include <unordered_set>

#include "services/core/text.h"

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

// The code of one character (a UTF-8 sequence or a byte) at the start of s,
// not empty; returns how many bytes it took.
size_t CharacterCodeAt(std::string_view s, KeyCode& code) {
  char32_t cp = 0;
  const size_t length = Utf8SequenceAt(s, cp);
  if (length > 0) {
    code = UnicodeKey(cp);
    return length;
  }
  code = static_cast<unsigned char>(s[0]);
  return 1;
}

KeyCodes CharacterCodes(std::string_view s) {
  KeyCodes codes;
  for (size_t i = 0; i < s.size();) {
    KeyCode code = 0;
    i += CharacterCodeAt(s.substr(i), code);
    codes.push_back(code);
  }
  return codes;
}

bool IsModifierDown(KeyCode code) { return code == kShiftDown || code == kCtrlDown || code == kAltDown; }

// Runs per call of Next before it hands them over.
constexpr size_t kRunsPerChunk = 256;

}  // namespace

char32_t CharacterOfKeyCode(KeyCode code) {
  if (code >= kUnicodeBase) return code - kUnicodeBase;
  if (code >= 32 && code < kKeyF1) return code;
  return 0;
}

bool KeyTranslator::Next(KeyRuns& runs) {
  runs.clear();
  out_ = &runs;
  while (runs.size() < kRunsPerChunk) {
    if (repeatsLeft_ > 0) {
      RepeatOnce();
    } else if (pos_ < keys_.size()) {
      pos_ = Step(pos_);
    } else {
      break;
    }
  }
  out_ = nullptr;
  return !runs.empty();
}

// Handles the character at i and returns where translation continues.
size_t KeyTranslator::Step(size_t i) {
  switch (keys_[i]) {
    case '+': Press(kShiftDown); return i + 1;
    case '^': Press(kCtrlDown); return i + 1;
    case '%': Press(kAltDown); return i + 1;
    case '~': Emit(kKeyEnter); return i + 1;  // no release here
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
    case '{': return Brace(i);
    default: break;
  }
  KeyCode code = 0;
  const size_t length = CharacterCodeAt(keys_.substr(i), code);
  Emit(code);
  Release();
  return i + length;
}

void KeyTranslator::Emit(KeyCode code, uint32_t count) {
  if (count == 0) return;
  if (once_) count = 1;
  out_->push_back(KeyRun{code, count});
}

void KeyTranslator::Press(KeyCode modifier, uint32_t count) {
  Emit(modifier, count);
  if (modifier == kShiftDown) shift_ = true;
  if (modifier == kCtrlDown) ctrl_ = true;
  if (modifier == kAltDown) alt_ = true;
}

void KeyTranslator::Release() {
  if (group_) return;
  if (shift_) Emit(kShiftUp);
  if (ctrl_) Emit(kCtrlUp);
  if (alt_) Emit(kAltUp);
  shift_ = ctrl_ = alt_ = false;
}

size_t KeyTranslator::Brace(size_t open) {
  const size_t close = keys_.find('}', open + 1);
  if (close == std::string_view::npos) {
    // No closing brace: nothing more can be a brace form, so the "{" and
    // everything after it are typed as they stand.
    for (KeyCode code : CharacterCodes(keys_.substr(open))) Emit(code);
    Release();
    return keys_.size();
  }
  const std::string_view b = keys_.substr(open, close - open + 1);
  if (!NamedKeyForm(b)) RepeatForm(b);
  // A repeat still in progress releases the modifiers when it ends.
  if (repeatsLeft_ == 0) Release();
  return close + 1;
}

// "{NAME}" or "{NAME count}"; false when no table entry applies.
bool KeyTranslator::NamedKeyForm(std::string_view b) {
  for (const KeyName& entry : kKeyNameTable) {
    uint32_t count = 0;
    const std::string_view stem = entry.name.substr(0, entry.name.size() - 1);
    if (b == entry.name) {
      count = 1;
    } else if (b.size() > stem.size() && b.substr(0, stem.size()) == stem && b[stem.size()] == ' ') {
      const int32_t n = ValNumber(b.substr(stem.size() + 1, b.size() - stem.size() - 2));
      count = n > 0 ? static_cast<uint32_t>(n) : 0;
    } else {
      continue;
    }
    if (count == 0) return true;  // a count of 0 or less: no key, no pending modifier
    if (IsModifierDown(entry.code)) {
      Press(entry.code, count);
    } else {
      Emit(entry.code, count);
    }
    return true;
  }
  return false;
}

// "{text count}": text typed count times, unchanged (no modifier meaning).
// A one-key text is one run; a longer one is produced a repetition at a
// time by Next. An empty text repeats nothing, whatever the count.
void KeyTranslator::RepeatForm(std::string_view b) {
  const std::string_view inner = b.substr(1, b.size() - 2);
  const size_t blank = inner.rfind(' ');
  const std::string_view countText = blank == std::string_view::npos ? inner : inner.substr(blank + 1);
  const std::string_view text = blank == std::string_view::npos ? std::string_view{} : inner.substr(0, blank);
  const int32_t count = ValNumber(countText);
  if (count <= 0 || text.empty()) return;
  repeatText_ = CharacterCodes(text);
  if (repeatText_.size() == 1) {
    Emit(repeatText_[0], static_cast<uint32_t>(count));
    return;
  }
  repeatsLeft_ = once_ ? 1 : static_cast<uint32_t>(count);
}

void KeyTranslator::RepeatOnce() {
  for (KeyCode code : repeatText_) Emit(code);
  if (--repeatsLeft_ == 0) Release();
}

std::vector<char32_t> CharactersOfKeys(std::string_view keyString) {
  std::vector<char32_t> characters;
  std::unordered_set<char32_t> seen;
  KeyTranslator translator(keyString, KeyTranslator::Repeats::Once);
  for (KeyRuns runs; translator.Next(runs);) {
    for (const KeyRun& run : runs) {
      const char32_t ch = CharacterOfKeyCode(run.code);
      if (ch != 0 && seen.insert(ch).second) characters.push_back(ch);
    }
  }
  return characters;
}

std::vector<std::string_view> KeyNames() {
  std::vector<std::string_view> names;
  for (const KeyName& entry : kKeyNameTable) names.push_back(entry.name);
  return names;
}

}  // namespace tolm
