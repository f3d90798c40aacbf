#include "services/desktop/x11/x11_keyboard_map.h"

#include "services/core/errors.h"

namespace tolm {
namespace {

struct KeyboardDeleter {
  void operator()(XkbDescPtr desc) const { XkbFreeKeyboard(desc, XkbAllComponentsMask, True); }
};
using KeyboardDesc = std::unique_ptr<XkbDescRec, KeyboardDeleter>;

constexpr KeySym kUnicodeKeysymBase = 0x01000000;

// The level the key type reaches with SHIFT alone, if any.
std::optional<int> ShiftLevel(const XkbKeyTypeRec& type) {
  for (int i = 0; i < type.map_count; ++i) {
    const XkbKTMapEntryRec& entry = type.map[i];
    if (entry.active && entry.mods.mask == ShiftMask) return entry.level;
  }
  return std::nullopt;
}

}  // namespace

char32_t KeysymCharacter(KeySym keysym) {
  if ((keysym >= 0x20 && keysym <= 0x7E) || (keysym >= 0xA0 && keysym <= 0xFF)) return static_cast<char32_t>(keysym);
  if (keysym >= kUnicodeKeysymBase + 0x20 && keysym <= kUnicodeKeysymBase + 0x10FFFF) {
    return static_cast<char32_t>(keysym - kUnicodeKeysymBase);
  }
  if (keysym >= 0x20A0 && keysym <= 0x20AC) return static_cast<char32_t>(keysym);  // currency signs
  return 0;
}

KeySym CharacterKeysym(char32_t character) {
  if ((character >= 0x20 && character <= 0x7E) || (character >= 0xA0 && character <= 0xFF)) return character;
  return kUnicodeKeysymBase + character;
}

X11KeyboardMap X11KeyboardMap::Read(Display* display, unsigned int device) {
  KeyboardDesc desc(XkbGetMap(display, XkbKeyTypesMask | XkbKeySymsMask, device));
  if (!desc || desc->map == nullptr) throw Exception("Cannot read the keyboard map of the X server");
  XkbStateRec state{};
  XkbGetState(display, device, &state);

  X11KeyboardMap map;
  map.group_ = state.group;
  XkbDescPtr xkb = desc.get();
  // Two passes so that a character on a plain level anywhere beats one on a
  // SHIFT level of a lower key.
  for (int pass = 0; pass < 2; ++pass) {
    for (int kc = xkb->min_key_code; kc <= xkb->max_key_code; ++kc) {
      const int groups = XkbKeyNumGroups(xkb, kc);
      if (groups == 0) {
        if (pass == 0) map.spare_.push_back(static_cast<XKeyCode>(kc));
        continue;
      }
      const int group = map.group_ % groups;  // out-of-range groups wrap
      const XkbKeyTypeRec* type = XkbKeyKeyType(xkb, kc, group);
      const std::optional<int> level = pass == 0 ? std::optional<int>(0) : ShiftLevel(*type);
      if (!level || (pass == 1 && *level == 0) || *level >= XkbKeyGroupWidth(xkb, kc, group)) continue;
      const KeySym keysym = XkbKeySymEntry(xkb, kc, *level, group);
      if (keysym == NoSymbol) continue;
      if (pass == 0) map.plainKeysyms_.emplace(keysym, static_cast<XKeyCode>(kc));
      if (const char32_t ch = KeysymCharacter(keysym)) {
        map.characters_.emplace(ch, CharacterKey{static_cast<XKeyCode>(kc), pass == 1});
      }
    }
  }
  for (int kc = xkb->min_key_code; kc <= xkb->max_key_code; ++kc) {
    const int count = XkbKeyNumSyms(xkb, kc);
    for (int i = 0; i < count; ++i) map.anyKeysyms_.emplace(XkbKeySymsPtr(xkb, kc)[i], static_cast<XKeyCode>(kc));
  }
  return map;
}

std::optional<CharacterKey> X11KeyboardMap::Find(char32_t character) const {
  const auto it = characters_.find(character);
  if (it == characters_.end()) return std::nullopt;
  return it->second;
}

std::optional<XKeyCode> X11KeyboardMap::FindKeysym(KeySym keysym) const {
  if (const auto it = plainKeysyms_.find(keysym); it != plainKeysyms_.end()) return it->second;
  if (const auto it = anyKeysyms_.find(keysym); it != anyKeysyms_.end()) return it->second;
  return std::nullopt;
}

}  // namespace tolm
