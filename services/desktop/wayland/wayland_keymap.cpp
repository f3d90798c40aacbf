#include "services/desktop/wayland/wayland_keymap.h"

#include <array>
#include <set>

namespace tolm {
namespace {

constexpr uint32_t kMinKeycode = 8;
constexpr uint32_t kMaxKeycode = 255;

// The named keys in NamedKey order: XKB key code (evdev + 8) and keysym name.
struct NamedKeyPlace {
  uint32_t keycode;
  const char* keysym;
};
constexpr std::array<NamedKeyPlace, 29> kNamedKeys{{
    {22, "BackSpace"}, {23, "Tab"},   {36, "Return"}, {9, "Escape"},  {67, "F1"},     {68, "F2"},
    {69, "F3"},        {70, "F4"},    {71, "F5"},     {72, "F6"},     {73, "F7"},     {74, "F8"},
    {75, "F9"},        {76, "F10"},   {95, "F11"},    {96, "F12"},    {110, "Home"},  {115, "End"},
    {111, "Up"},       {116, "Down"}, {113, "Left"},  {114, "Right"}, {112, "Prior"}, {117, "Next"},
    {118, "Insert"},   {119, "Delete"}, {50, "Shift_L"}, {37, "Control_L"}, {64, "Alt_L"},
}};

// Types and compatibility written out, so the keymap needs no XKB data files
// on either side. The interpretation makes the modifier keys act as such for
// programs that follow the keys themselves.
constexpr const char* kHead =
    "xkb_keymap {\n"
    "xkb_keycodes \"tolm\" {\n"
    "  minimum = 8;\n"
    "  maximum = 255;\n";
constexpr const char* kTypesAndCompat =
    "};\n"
    "xkb_types \"tolm\" {\n"
    "  type \"ONE_LEVEL\" { modifiers = none; level_name[Level1] = \"Any\"; };\n"
    "  type \"TWO_LEVEL\" { modifiers = Shift; map[Shift] = Level2;\n"
    "    level_name[Level1] = \"Base\"; level_name[Level2] = \"Shift\"; };\n"
    "};\n"
    "xkb_compat \"tolm\" {\n"
    "  interpret Any+AnyOf(all) { action = SetMods(modifiers = modMapMods, clearLocks); };\n"
    "};\n"
    "xkb_symbols \"tolm\" {\n";
constexpr const char* kTail =
    "  modifier_map Shift { <K50> };\n"
    "  modifier_map Control { <K37> };\n"
    "  modifier_map Mod1 { <K64> };\n"
    "};\n"
    "};\n";

std::string KeyName(uint32_t keycode) { return "<K" + std::to_string(keycode) + ">"; }

std::string KeysymName(xkb_keysym_t keysym) {
  char name[64] = {};
  xkb_keysym_get_name(keysym, name, sizeof name);
  return name;
}

// The key codes free for characters, lowest first.
std::vector<uint32_t> FreeKeycodes() {
  std::set<uint32_t> named;
  for (const NamedKeyPlace& place : kNamedKeys) named.insert(place.keycode);
  std::vector<uint32_t> free;
  for (uint32_t code = kMinKeycode + 1; code <= kMaxKeycode; ++code) {
    if (named.count(code) == 0) free.push_back(code);
  }
  return free;
}

// The character of a keysym, 0 when it types none.
char32_t CharacterOf(xkb_keysym_t keysym) { return static_cast<char32_t>(xkb_keysym_to_utf32(keysym)); }

// The two levels of a character's key: itself and its case partner, or
// itself alone (second 0).
struct KeyLevels {
  xkb_keysym_t plain = XKB_KEY_NoSymbol;
  xkb_keysym_t shifted = XKB_KEY_NoSymbol;
};

// Code points that are no characters (surrogates, beyond Unicode) and
// control codes get no key: no keysym stands for them as text.
bool Typable(char32_t c) {
  return c >= 0x20 && c != 0x7F && !(c >= 0x80 && c < 0xA0) && !(c >= 0xD800 && c < 0xE000) && c <= 0x10FFFF;
}

KeyLevels LevelsOf(char32_t character) {
  if (!Typable(character)) return {};
  const xkb_keysym_t keysym = xkb_utf32_to_keysym(static_cast<uint32_t>(character));
  if (keysym == XKB_KEY_NoSymbol) return {};
  const xkb_keysym_t lower = xkb_keysym_to_lower(keysym);
  const xkb_keysym_t upper = xkb_keysym_to_upper(keysym);
  // A pair only when each side types a character and turns into the other.
  const bool pair = lower != upper && CharacterOf(lower) != 0 && CharacterOf(upper) != 0 &&
                    xkb_keysym_to_upper(lower) == upper && xkb_keysym_to_lower(upper) == lower;
  if (!pair) return {keysym, XKB_KEY_NoSymbol};
  return {lower, upper};
}

}  // namespace

size_t WaylandKeymap::CharacterKeys() { return FreeKeycodes().size(); }

uint32_t WaylandKeymap::NamedKeycode(NamedKey key) { return kNamedKeys.at(static_cast<size_t>(key)).keycode; }

uint32_t WaylandKeymap::ModifierMask(NamedKey key) {
  switch (key) {
    case NamedKey::Shift: return kShiftMask;
    case NamedKey::Control: return kControlMask;
    case NamedKey::Alt: return kAltMask;
    default: return 0;
  }
}

WaylandKeymap::WaylandKeymap(const std::vector<char32_t>& characters) {
  const std::vector<uint32_t> free = FreeKeycodes();
  std::string codes;
  std::string symbols;
  for (const NamedKeyPlace& place : kNamedKeys) {
    codes += "  " + KeyName(place.keycode) + " = " + std::to_string(place.keycode) + ";\n";
    symbols += "  key " + KeyName(place.keycode) + " { type = \"ONE_LEVEL\", [ " + place.keysym + " ] };\n";
  }
  size_t used = 0;
  for (; placed_ < characters.size(); ++placed_) {
    const char32_t character = characters[placed_];
    if (characters_.count(character) != 0) continue;  // on its partner's key already
    const KeyLevels levels = LevelsOf(character);
    if (levels.plain == XKB_KEY_NoSymbol) continue;
    if (used == free.size()) break;
    const uint32_t code = free[used++];
    codes += "  " + KeyName(code) + " = " + std::to_string(code) + ";\n";
    if (levels.shifted == XKB_KEY_NoSymbol) {
      characters_[character] = KeymapKey{code, false};
      symbols += "  key " + KeyName(code) + " { type = \"ONE_LEVEL\", [ " + KeysymName(levels.plain) + " ] };\n";
    } else {
      characters_[CharacterOf(levels.plain)] = KeymapKey{code, false};
      characters_[CharacterOf(levels.shifted)] = KeymapKey{code, true};
      symbols += "  key " + KeyName(code) + " { type = \"TWO_LEVEL\", [ " + KeysymName(levels.plain) + ", " +
                 KeysymName(levels.shifted) + " ] };\n";
    }
  }
  text_ = kHead + codes + kTypesAndCompat + symbols + kTail;
}

std::optional<KeymapKey> WaylandKeymap::Find(char32_t character) const {
  if (const auto it = characters_.find(character); it != characters_.end()) return it->second;
  return std::nullopt;
}

}  // namespace tolm
