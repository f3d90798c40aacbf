// Keystrokes through Mutter's remote desktop session against a real headless
// gnome-shell: exact characters from the first key of a fresh connection,
// modifiers, groups and repeats, the third level of another layout, a
// character only another layout has, characters no layout has, a long
// string, and the first key on a seat that has no keyboard yet.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gnome_test_support.h"
#include "services/core/errors.h"
#include "services/seams/keyboard.h"
#include "services/seams/window_search.h"
#include "wayland_test_support.h"

namespace tolm::testing {
namespace {

using Lines = std::vector<std::string>;

TEST(GnomeKeys, AFreshConnectionTypesEveryCharacterFromItsFirstKey) {
  TOLM_REQUIRE_GNOME();
  SetInputSources("us");
  InstallGnomeDesktop();
  WaylandTestWindow window(UniqueTitle("keys"));
  WindowActivate(ListedWindow(window.Title()));
  SendKeys("Hi +a^ab%f{TAB 2}{x 3}{LEFT}+(ab)~{+ 1}@\\|\"^A");
  const Lines expected{"Shift_L", "H",   "i", " ", "Shift_L", "A",    "Control_L", "C-a",     "b", "Alt_L",
                       "M-f",     "Tab", "Tab", "x", "x",     "x",    "Left",      "Shift_L", "A", "B",
                       "Return",  "Shift_L", "+", "Shift_L", "@",    "\\",        "Shift_L", "|", "Shift_L", "\"",
                       "Control_L", "C-a"};
  EXPECT_TRUE(WaitUntil([&] { return window.LogLines().size() >= expected.size(); }));
  EXPECT_EQ(window.LogLines(), expected);
}

TEST(GnomeKeys, AnotherLayoutTypesItsOwnCharactersWithAltGr) {
  TOLM_REQUIRE_GNOME();
  SetInputSources("de");
  InstallGnomeDesktop();
  WaylandTestWindow window(UniqueTitle("de"));
  WindowActivate(ListedWindow(window.Title()));
  SendKeys("zy\xC3\xA4\xC3\x96\xC3\x9F\xE2\x82\xAC@\xC2\xB2");  // zyäÖß€@²
  SetInputSources("us");
  const Lines expected{"z", "y", "\xC3\xA4", "Shift_L", "\xC3\x96", "\xC3\x9F", "ISO_Level3_Shift", "\xE2\x82\xAC",
                       "ISO_Level3_Shift", "@", "ISO_Level3_Shift", "\xC2\xB2"};
  EXPECT_TRUE(WaitUntil([&] { return window.LogLines().size() >= expected.size(); }));
  EXPECT_EQ(window.LogLines(), expected);
}

TEST(GnomeKeys, CharactersOfOtherLayoutsAreTypedInThemInOrderAndTheLayoutComesBack) {
  TOLM_REQUIRE_GNOME();
  SetInputSources("us,de,ru");
  InstallGnomeDesktop();
  WaylandTestWindow window(UniqueTitle("groups"));
  WindowActivate(ListedWindow(window.Title()));
  // Every character but the first switches the layout or follows a switch:
  // the keys before a switch must arrive in the layout they were typed in.
  const std::string round = "a\xD0\x96\xE2\x82\xAC\xC3\xA4\xD0\x96" "b\xE2\x82\xAC" "a";  // aЖ€äЖb€a
  const Lines roundKeys{"a", "Shift_L", "\xD0\x96", "ISO_Level3_Shift", "\xE2\x82\xAC", "\xC3\xA4", "Shift_L", "\xD0\x96",
                        "b", "ISO_Level3_Shift", "\xE2\x82\xAC", "a"};
  std::string keys;
  Lines expected;
  for (int i = 0; i < 6; ++i) {
    keys += round;
    expected.insert(expected.end(), roundKeys.begin(), roundKeys.end());
  }
  SendKeys(keys);
  const std::string group = ReportedLayoutGroup();
  SetInputSources("us");
  EXPECT_TRUE(WaitUntil([&] { return window.LogLines().size() >= expected.size(); }));
  EXPECT_EQ(window.LogLines(), expected);
  EXPECT_EQ(group, "(uint32 0,)\n");  // the first layout again
}

TEST(GnomeKeys, AKeyStringWithACharacterNoLayoutHasTypesNothing) {
  TOLM_REQUIRE_GNOME();
  SetInputSources("us");
  InstallGnomeDesktop();
  WaylandTestWindow window(UniqueTitle("lacks"));
  WindowActivate(ListedWindow(window.Title()));
  try {
    SendKeys("ab\xE6\x97\xA5" "c\xC3\xA4\xE6\x97\xA5");
    ADD_FAILURE() << "typed";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "The keyboard layouts of this GNOME session have no key for \"\xE6\x97\xA5\", "
                           "\"\xC3\xA4\": Mutter lets programs type only what the layouts have, so nothing was typed");
  }
  SendKeys("ok");
  EXPECT_TRUE(WaitUntil([&] { return window.LogLines().size() >= 2; }));
  EXPECT_EQ(window.LogLines(), (Lines{"o", "k"}));
}

TEST(GnomeKeys, LongStringsArriveWhole) {
  TOLM_REQUIRE_GNOME();
  SetInputSources("us");
  InstallGnomeDesktop();
  WaylandTestWindow window(UniqueTitle("long"));
  WindowActivate(ListedWindow(window.Title()));
  SendKeys("{y 3000}+{z 500}");
  Lines expected(3000, "y");
  expected.push_back("Shift_L");
  expected.insert(expected.end(), 500, "Z");
  EXPECT_TRUE(WaitUntil([&] { return window.LogLines().size() >= expected.size(); }, 10s));
  EXPECT_EQ(window.LogLines(), expected);
}

TEST(GnomeKeys, OnASeatWithoutAKeyboardTheFirstKeysArriveToo) {
  TOLM_REQUIRE_GNOME();
  SetInputSources("us");
  InstallGnomeDesktop();
  WaylandTestWindow window(UniqueTitle("bare"));
  WindowActivate(ListedWindow(window.Title()));
  // Without the extension's keyboard the seat has none until the session's.
  const ExtensionDisabled off;
  ASSERT_TRUE(WaitUntil([] { return !SeatHasKeyboard(); }));
  SendKeys("abc");
  EXPECT_TRUE(WaitUntil([&] { return window.LogLines().size() >= 3; }));
  EXPECT_EQ(window.LogLines(), (Lines{"a", "b", "c"}));
}

}  // namespace
}  // namespace tolm::testing
