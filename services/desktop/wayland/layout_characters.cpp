#include "services/desktop/wayland/layout_characters.h"

#include <algorithm>
#include <array>
#include <memory>

namespace tolm {
namespace {

struct StateDeleter {
  void operator()(xkb_state* state) const { xkb_state_unref(state); }
};

// Key codes above this one do not reach programs that run through Xwayland
// (X key codes end at 255), so no character is typed with them.
constexpr xkb_keycode_t kMaxKeycode = 255;
// The key AltGr is on in the usual keymaps (right Alt).
constexpr xkb_keycode_t kRightAlt = 108;

xkb_keycode_t LastKeycode(xkb_keymap* keymap) { return std::min(xkb_keymap_max_keycode(keymap), kMaxKeycode); }

bool FirstLevelIs(xkb_keymap* keymap, xkb_layout_index_t group, xkb_keycode_t code, xkb_keysym_t keysym) {
  const xkb_keysym_t* syms = nullptr;
  return xkb_keymap_key_get_syms_by_level(keymap, code, group, 0, &syms) == 1 && syms[0] == keysym;
}

// The key whose first level in the group is the keysym, 0 for none; right
// Alt first, where a real keyboard has AltGr.
uint32_t KeyWithKeysym(xkb_keymap* keymap, xkb_layout_index_t group, xkb_keysym_t keysym) {
  if (FirstLevelIs(keymap, group, kRightAlt, keysym)) return kRightAlt;
  for (xkb_keycode_t code = xkb_keymap_min_keycode(keymap); code <= LastKeycode(keymap); ++code) {
    if (FirstLevelIs(keymap, group, code, keysym)) return code;
  }
  return 0;
}

// The modifiers a key sets while it is held, in the group.
xkb_mod_mask_t ModifiersOfKey(xkb_keymap* keymap, xkb_layout_index_t group, uint32_t code) {
  if (code == 0) return 0;
  std::unique_ptr<xkb_state, StateDeleter> state(xkb_state_new(keymap));
  if (!state) return 0;
  xkb_state_update_mask(state.get(), 0, 0, 0, 0, 0, group);
  xkb_state_update_key(state.get(), code, XKB_KEY_DOWN);
  return xkb_state_serialize_mods(state.get(), XKB_STATE_MODS_DEPRESSED);
}

bool IsKeypad(xkb_keysym_t keysym) { return keysym >= XKB_KEY_KP_Space && keysym <= XKB_KEY_KP_9; }

}  // namespace

LayoutCharacters::LayoutCharacters(xkb_keymap* keymap, xkb_layout_index_t group) {
  const xkb_mod_index_t shiftIndex = xkb_keymap_mod_get_index(keymap, XKB_MOD_NAME_SHIFT);
  const xkb_mod_mask_t shift = shiftIndex == XKB_MOD_INVALID ? 0 : (1u << shiftIndex);
  const uint32_t levelThreeKey = KeyWithKeysym(keymap, group, XKB_KEY_ISO_Level3_Shift);
  const xkb_mod_mask_t levelThree = ModifiersOfKey(keymap, group, levelThreeKey) & ~shift;
  std::unordered_map<char32_t, int> costs;
  for (xkb_keycode_t code = xkb_keymap_min_keycode(keymap); code <= LastKeycode(keymap); ++code) {
    const xkb_level_index_t levels = xkb_keymap_num_levels_for_key(keymap, code, group);
    for (xkb_level_index_t level = 0; level < levels; ++level) {
      const xkb_keysym_t* syms = nullptr;
      if (xkb_keymap_key_get_syms_by_level(keymap, code, group, level, &syms) != 1) continue;
      const char32_t character = static_cast<char32_t>(xkb_keysym_to_utf32(syms[0]));
      if (character < 0x20 || character == 0x7F) continue;  // no character, or a control one
      std::array<xkb_mod_mask_t, 16> masks{};
      const size_t count = xkb_keymap_key_get_mods_for_level(keymap, code, group, level, masks.data(), masks.size());
      for (size_t i = 0; i < count; ++i) {
        const xkb_mod_mask_t mask = masks[i];
        if ((mask & ~(shift | levelThree)) != 0 || ((mask & levelThree) != 0 && levelThree == 0)) continue;
        const bool needsShift = (mask & shift) != 0;
        const bool needsThree = levelThree != 0 && (mask & levelThree) == levelThree;
        if (levelThree != 0 && (mask & levelThree) != 0 && !needsThree) continue;  // part of it only
        const int cost = (needsShift ? 1 : 0) + (needsThree ? 2 : 0) + (IsKeypad(syms[0]) ? 4 : 0);
        const auto known = costs.find(character);
        if (known != costs.end() && known->second <= cost) continue;
        costs[character] = cost;
        keys_[character] = LayoutKey{code, needsShift, needsThree ? levelThreeKey : 0};
      }
    }
  }
}

std::optional<LayoutKey> LayoutCharacters::Find(char32_t character) const {
  if (const auto it = keys_.find(character); it != keys_.end()) return it->second;
  return std::nullopt;
}

}  // namespace tolm
