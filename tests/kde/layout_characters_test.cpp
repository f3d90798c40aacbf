// Which key and levels type a character on a layout of a real XKB keymap (the
// system's XKB data, as KWin compiles it), and the messages of the keyboard.
#include <gtest/gtest.h>

#include <xkbcommon/xkbcommon.h>

#include <memory>
#include <optional>
#include <string>

#include "services/desktop/kde/kde_keyboard.h"
#include "services/desktop/wayland/layout_characters.h"

namespace tolm {
namespace {

struct ContextDeleter {
  void operator()(xkb_context* c) const { xkb_context_unref(c); }
};
struct KeymapDeleter {
  void operator()(xkb_keymap* k) const { xkb_keymap_unref(k); }
};

std::unique_ptr<xkb_keymap, KeymapDeleter> Keymap(const char* layouts) {
  static std::unique_ptr<xkb_context, ContextDeleter> context(xkb_context_new(XKB_CONTEXT_NO_FLAGS));
  const xkb_rule_names names{"evdev", "pc105", layouts, "", ""};
  return std::unique_ptr<xkb_keymap, KeymapDeleter>(
      xkb_keymap_new_from_names(context.get(), &names, XKB_KEYMAP_COMPILE_NO_FLAGS));
}

// XKB key codes (evdev + 8) of the keys the cases use.
constexpr uint32_t kA = 38, kE = 26, kQ = 24, k1 = 10, k2 = 11, kSemicolon = 47, kSpace = 65, kRightAlt = 108,
                   kEqual = 21, kZ = 52, kY = 29, kBackslash = 51;

TEST(LayoutCharacters, EachCharacterGetsItsKeyAndTheFewestModifiers) {
  const auto us = Keymap("us");
  const auto de = Keymap("de");
  ASSERT_TRUE(us && de);
  const LayoutCharacters onUs(us.get(), 0);
  const LayoutCharacters onDe(de.get(), 0);
  const struct {
    const LayoutCharacters& layout;
    char32_t character;
    std::optional<LayoutKey> key;
  } cases[] = {
      {onUs, U'a', LayoutKey{kA, false, 0}},
      {onUs, U'A', LayoutKey{kA, true, 0}},
      {onUs, U'!', LayoutKey{k1, true, 0}},
      {onUs, U' ', LayoutKey{kSpace, false, 0}},
      {onUs, U'+', LayoutKey{kEqual, true, 0}},  // the main key, not the keypad's plain one
      {onUs, U'\\', LayoutKey{kBackslash, false, 0}},
      {onUs, U'\u00E4', std::nullopt},  // ä: not on a US keyboard
      {onUs, U'\u65E5', std::nullopt},
      {onDe, U'z', LayoutKey{kY, false, 0}},  // German keys: Z and Y swap places
      {onDe, U'y', LayoutKey{kZ, false, 0}},
      {onDe, U'\u00E4', LayoutKey{48, false, 0}},
      {onDe, U'\u00D6', LayoutKey{47, true, 0}},
      {onDe, U'\u20AC', LayoutKey{kE, false, kRightAlt}},  // AltGr+E
      {onDe, U'@', LayoutKey{kQ, false, kRightAlt}},
      {onDe, U'\u00B2', LayoutKey{k2, false, kRightAlt}},
      {onDe, U'"', LayoutKey{k2, true, 0}},
  };
  for (const auto& c : cases) {
    const std::optional<LayoutKey> key = c.layout.Find(c.character);
    ASSERT_EQ(key.has_value(), c.key.has_value()) << static_cast<uint32_t>(c.character);
    if (!key) continue;
    EXPECT_EQ(key->keycode, c.key->keycode) << static_cast<uint32_t>(c.character);
    EXPECT_EQ(key->shift, c.key->shift) << static_cast<uint32_t>(c.character);
    EXPECT_EQ(key->levelThree, c.key->levelThree) << static_cast<uint32_t>(c.character);
  }
}

TEST(LayoutCharacters, EachLayoutOfAKeymapHasItsOwnCharacters) {
  const auto keymap = Keymap("us,ru");
  ASSERT_TRUE(keymap);
  const LayoutCharacters latin(keymap.get(), 0);
  const LayoutCharacters cyrillic(keymap.get(), 1);
  EXPECT_EQ(latin.Find(U'\u0416'), std::nullopt);
  ASSERT_TRUE(cyrillic.Find(U'\u0416'));  // Ж: SHIFT and the semicolon key
  EXPECT_EQ(cyrillic.Find(U'\u0416')->keycode, kSemicolon);
  EXPECT_TRUE(cyrillic.Find(U'\u0416')->shift);
  EXPECT_EQ(cyrillic.Find(U'a'), std::nullopt);
  EXPECT_GT(latin.Size(), 90u);
}

TEST(KdeKeyboardMessages, TheyNameWhatIsMissingAndWhatToDo) {
  EXPECT_EQ(FakeInputRefusedMessage("/opt/tolm/bin/tolm32", false),
            "KWin does not let /opt/tolm/bin/tolm32 type keys: that needs a .desktop file with "
            "Exec=/opt/tolm/bin/tolm32 and X-KDE-Wayland-Interfaces=org_kde_kwin_fake_input, and "
            "/opt/tolm/share/applications/tolm32-kde.desktop is missing. Install tolm32 with cmake --install, then run "
            "kbuildsycoca5 as the session's user");
  EXPECT_EQ(FakeInputRefusedMessage("/usr/local/bin/tolm32", true),
            "KWin does not let /usr/local/bin/tolm32 type keys, although "
            "/usr/local/share/applications/tolm32-kde.desktop is installed: run kbuildsycoca5 as the session's user so "
            "that KWin reads it (its folder must be in the session's XDG_DATA_DIRS and its Exec= must be "
            "/usr/local/bin/tolm32)");
  // A program outside bin/, as in a build folder.
  EXPECT_EQ(FakeInputRefusedMessage("/src/build/tolm32", false),
            "KWin does not let /src/build/tolm32 type keys: that needs a .desktop file with Exec=/src/build/tolm32 and "
            "X-KDE-Wayland-Interfaces=org_kde_kwin_fake_input, and /src/build/../share/applications/tolm32-kde.desktop "
            "is missing. Install tolm32 with cmake --install, then run kbuildsycoca5 as the session's user");
  EXPECT_EQ(UntypableMessage({"\xE6\x97\xA5", "\xC3\xA4"}),
            "The keyboard layout of this KDE Plasma session has no key for \"\xE6\x97\xA5\", \"\xC3\xA4\": KWin lets "
            "programs type only what the layout has, so nothing was typed");
}

}  // namespace
}  // namespace tolm
