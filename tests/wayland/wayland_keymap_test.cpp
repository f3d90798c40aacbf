// The keymaps the virtual keyboard uploads, compiled with libxkbcommon as a
// compositor and the programs do: every character lands on the key and level
// the keyboard will press, the named keys and modifiers are where it sends them.
#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon.h>

#include <memory>
#include <string>

#include "services/desktop/wayland/wayland_keymap.h"

namespace tolm::testing {
namespace {

struct ContextDeleter {
  void operator()(xkb_context* c) const { xkb_context_unref(c); }
};
struct KeymapDeleter {
  void operator()(xkb_keymap* k) const { xkb_keymap_unref(k); }
};
struct StateDeleter {
  void operator()(xkb_state* s) const { xkb_state_unref(s); }
};

class CompiledKeymap {
 public:
  explicit CompiledKeymap(const std::string& text)
      : context_(xkb_context_new(static_cast<xkb_context_flags>(XKB_CONTEXT_NO_DEFAULT_INCLUDES | XKB_CONTEXT_NO_ENVIRONMENT_NAMES))),
        keymap_(xkb_keymap_new_from_string(context_.get(), text.c_str(), XKB_KEYMAP_FORMAT_TEXT_V1,
                                           XKB_KEYMAP_COMPILE_NO_FLAGS)) {
    if (keymap_) state_.reset(xkb_state_new(keymap_.get()));
  }
  bool Valid() const { return state_ != nullptr; }

  // The text a key types with the modifiers (a mask) held.
  std::string Type(uint32_t keycode, uint32_t mods) {
    xkb_state_update_mask(state_.get(), mods, 0, 0, 0, 0, 0);
    char text[16] = {};
    xkb_state_key_get_utf8(state_.get(), keycode, text, sizeof text);
    return text;
  }
  std::string KeysymName(uint32_t keycode) {
    xkb_state_update_mask(state_.get(), 0, 0, 0, 0, 0, 0);
    char name[64] = {};
    xkb_keysym_get_name(xkb_state_key_get_one_sym(state_.get(), keycode), name, sizeof name);
    return name;
  }
  uint32_t Mask(const char* modifier) const { return 1u << xkb_keymap_mod_get_index(keymap_.get(), modifier); }

 private:
  std::unique_ptr<xkb_context, ContextDeleter> context_;
  std::unique_ptr<xkb_keymap, KeymapDeleter> keymap_;
  std::unique_ptr<xkb_state, StateDeleter> state_;
};

std::string Utf8(char32_t c) {
  std::string out;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

TEST(WaylandKeymap, EveryCharacterTypesOnItsKeyAndLevel) {
  const std::vector<char32_t> characters{U'a', U'A', U'z', U'1', U'!', U' ', U'~', U'{', U'+', U'ä', U'Ä',
                                         U'ß', U'€', U'ж', U'Ж', U'日', U'😀', U'é', U'<'};
  const WaylandKeymap keymap(characters);
  EXPECT_EQ(keymap.Placed(), characters.size());
  CompiledKeymap compiled(keymap.Text());
  ASSERT_TRUE(compiled.Valid()) << keymap.Text();
  ASSERT_EQ(compiled.Mask(XKB_MOD_NAME_SHIFT), kShiftMask);
  ASSERT_EQ(compiled.Mask(XKB_MOD_NAME_CTRL), kControlMask);
  ASSERT_EQ(compiled.Mask(XKB_MOD_NAME_ALT), kAltMask);
  for (char32_t c : characters) {
    const std::optional<KeymapKey> key = keymap.Find(c);
    ASSERT_TRUE(key) << Utf8(c);
    EXPECT_EQ(compiled.Type(key->keycode, key->shift ? kShiftMask : 0), Utf8(c)) << Utf8(c);
  }
  // Case partners share a key; SHIFT is needed for the capital only.
  EXPECT_EQ(keymap.Find(U'a')->keycode, keymap.Find(U'A')->keycode);
  EXPECT_FALSE(keymap.Find(U'a')->shift);
  EXPECT_TRUE(keymap.Find(U'A')->shift);
  EXPECT_TRUE(keymap.Find(U'Ж')->shift);
  // A character without a partner types the same with SHIFT held (as "+(!)" asks).
  EXPECT_EQ(compiled.Type(keymap.Find(U'!')->keycode, kShiftMask), "!");
  EXPECT_EQ(compiled.Type(keymap.Find(U'a')->keycode, kShiftMask), "A");
}

TEST(WaylandKeymap, NamedKeysAreAtTheirUsualPlaces) {
  const struct {
    NamedKey key;
    const char* keysym;
    uint32_t evdev;  // the code the protocol carries
  } cases[] = {
      {NamedKey::Backspace, "BackSpace", 14}, {NamedKey::Tab, "Tab", 15},       {NamedKey::Return, "Return", 28},
      {NamedKey::Escape, "Escape", 1},        {NamedKey::F1, "F1", 59},         {NamedKey::F10, "F10", 68},
      {NamedKey::F11, "F11", 87},             {NamedKey::F12, "F12", 88},       {NamedKey::Home, "Home", 102},
      {NamedKey::End, "End", 107},            {NamedKey::Up, "Up", 103},        {NamedKey::Down, "Down", 108},
      {NamedKey::Left, "Left", 105},          {NamedKey::Right, "Right", 106},  {NamedKey::PageUp, "Prior", 104},
      {NamedKey::PageDown, "Next", 109},      {NamedKey::Insert, "Insert", 110}, {NamedKey::Delete, "Delete", 111},
      {NamedKey::Shift, "Shift_L", 42},       {NamedKey::Control, "Control_L", 29}, {NamedKey::Alt, "Alt_L", 56},
  };
  const WaylandKeymap keymap({U'x'});
  CompiledKeymap compiled(keymap.Text());
  ASSERT_TRUE(compiled.Valid());
  for (const auto& c : cases) {
    const uint32_t keycode = WaylandKeymap::NamedKeycode(c.key);
    EXPECT_EQ(keycode - kKeycodeOffset, c.evdev) << c.keysym;
    EXPECT_EQ(compiled.KeysymName(keycode), c.keysym);
  }
  EXPECT_EQ(WaylandKeymap::ModifierMask(NamedKey::Shift), kShiftMask);
  EXPECT_EQ(WaylandKeymap::ModifierMask(NamedKey::Control), kControlMask);
  EXPECT_EQ(WaylandKeymap::ModifierMask(NamedKey::Alt), kAltMask);
  EXPECT_EQ(WaylandKeymap::ModifierMask(NamedKey::Tab), 0u);
}

TEST(WaylandKeymap, AFullKeymapStopsAtTheLastKeyAndStillCompiles) {
  std::vector<char32_t> characters;
  for (char32_t c = 0x4E00; characters.size() < WaylandKeymap::CharacterKeys() + 10; ++c) characters.push_back(c);
  const WaylandKeymap keymap(characters);
  EXPECT_EQ(keymap.Placed(), WaylandKeymap::CharacterKeys());
  EXPECT_TRUE(keymap.Find(characters[keymap.Placed() - 1]));
  EXPECT_FALSE(keymap.Find(characters[keymap.Placed()]));
  CompiledKeymap compiled(keymap.Text());
  ASSERT_TRUE(compiled.Valid());
  const KeymapKey last = *keymap.Find(characters[keymap.Placed() - 1]);
  EXPECT_EQ(last.keycode, 255u);
  EXPECT_EQ(compiled.Type(last.keycode, 0), Utf8(characters[keymap.Placed() - 1]));
}

TEST(WaylandKeymap, CharactersWithoutAKeysymAreLeftOut) {
  // A lone surrogate has no keysym; the characters after it still get keys.
  const WaylandKeymap keymap({U'a', static_cast<char32_t>(0xD800), U'b'});
  EXPECT_EQ(keymap.Placed(), 3u);
  EXPECT_FALSE(keymap.Find(static_cast<char32_t>(0xD800)));
  EXPECT_TRUE(keymap.Find(U'b'));
}

}  // namespace
}  // namespace tolm::testing
