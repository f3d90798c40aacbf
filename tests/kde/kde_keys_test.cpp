// Keystrokes through KWin's fake input against a real headless KWin: the
// authorisation as an installation gets it, exact characters on two layouts
// from the first key of a fresh connection, modifiers, groups and repeats,
// a character of a second layout, characters no layout has, and a close
// request during a huge repeat.
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "kde_test_support.h"
#include "services/core/errors.h"
#include "services/seams/keyboard.h"
#include "services/seams/window_search.h"
#include "wayland_test_support.h"

namespace tolm::testing {
namespace {

using Lines = std::vector<std::string>;

TEST(KdeKeys, AProgramNoDesktopFileNamesIsRefusedWithWhatToDo) {
  TOLM_REQUIRE_KWIN();
  WaylandTestWindow window(UniqueTitle("refused"));
  // A copy of the authorised tool: its path is in no .desktop file.
  TempDir dir;
  const std::string copy = dir.File("kde_keys_tool");
  std::filesystem::copy_file(TOLM_KDE_KEYS_TOOL, copy);
  std::filesystem::permissions(copy, std::filesystem::perms::owner_all);
  const RunResult run = RunProgram(copy, {"x"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "KWin does not let " + copy + " type keys: that needs a .desktop file with Exec=" + copy +
                         " and X-KDE-Wayland-Interfaces=org_kde_kwin_fake_input, and " + dir.path() +
                         "/../share/applications/tolm32-kde.desktop is missing. Install tolm32 with cmake --install, "
                         "then run kbuildsycoca5 as the session's user\n");
  EXPECT_TRUE(window.LogLines().empty());
}

TEST(KdeKeys, AFreshConnectionTypesEveryCharacterFromItsFirstKey) {
  TOLM_REQUIRE_KWIN();
  AuthoriseTestPrograms();
  SetKeyboardLayouts("us");
  InstallKdeDesktop();
  WaylandTestWindow window(UniqueTitle("keys"));
  WindowActivate(FindWindowByTitle(window.Title()));
  SendKeys("Hi +a^ab%f{TAB 2}{x 3}{LEFT}+(ab)~{+ 1}@\\|\"");
  const Lines expected{"Shift_L", "H", "i",   " ",   "Shift_L", "A",   "Control_L", "C-a", "b", "Alt_L", "M-f",
                       "Tab",     "Tab", "x", "x",   "x",       "Left", "Shift_L",  "A",   "B", "Return",
                       "Shift_L", "+",  "Shift_L", "@", "\\",  "Shift_L", "|", "Shift_L", "\""};
  EXPECT_TRUE(WaitUntil([&] { return window.LogLines().size() >= expected.size(); }));
  EXPECT_EQ(window.LogLines(), expected);
}

TEST(KdeKeys, AnotherLayoutTypesItsOwnCharactersWithAltGr) {
  TOLM_REQUIRE_KWIN();
  AuthoriseTestPrograms();
  SetKeyboardLayouts("de,us");
  InstallKdeDesktop();
  WaylandTestWindow window(UniqueTitle("de"));
  WindowActivate(FindWindowByTitle(window.Title()));
  SendKeys("zy\xC3\xA4\xC3\x96\xC3\x9F\xE2\x82\xAC@\xC2\xB2");  // zyäÖß€@²
  SetKeyboardLayouts("us");
  const Lines expected{"z", "y", "\xC3\xA4", "Shift_L", "\xC3\x96", "\xC3\x9F", "ISO_Level3_Shift", "\xE2\x82\xAC",
                       "ISO_Level3_Shift", "@", "ISO_Level3_Shift", "\xC2\xB2"};
  EXPECT_TRUE(WaitUntil([&] { return window.LogLines().size() >= expected.size(); }));
  EXPECT_EQ(window.LogLines(), expected);
}

TEST(KdeKeys, ACharacterOfAnotherLayoutIsTypedInItAndTheLayoutComesBack) {
  TOLM_REQUIRE_KWIN();
  AuthoriseTestPrograms();
  SetKeyboardLayouts("us,ru");
  InstallKdeDesktop();
  WaylandTestWindow window(UniqueTitle("groups"));
  WindowActivate(FindWindowByTitle(window.Title()));
  SendKeys("a\xD0\x96\xD0\xB6" "b");  // aЖжb
  const RunResult layout = RunProgram("/usr/bin/qdbus", {"org.kde.keyboard", "/Layouts", "getLayout"});
  SetKeyboardLayouts("us");
  const Lines expected{"a", "Shift_L", "\xD0\x96", "\xD0\xB6", "b"};
  EXPECT_TRUE(WaitUntil([&] { return window.LogLines().size() >= expected.size(); }));
  EXPECT_EQ(window.LogLines(), expected);
  EXPECT_EQ(layout.out, "0\n");  // the first layout again
}

TEST(KdeKeys, AKeyStringWithACharacterTheLayoutLacksTypesNothing) {
  TOLM_REQUIRE_KWIN();
  AuthoriseTestPrograms();
  SetKeyboardLayouts("us");
  InstallKdeDesktop();
  WaylandTestWindow window(UniqueTitle("lacks"));
  WindowActivate(FindWindowByTitle(window.Title()));
  try {
    SendKeys("ab\xE6\x97\xA5" "c\xC3\xA4\xE6\x97\xA5");
    ADD_FAILURE() << "typed";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "The keyboard layout of this KDE Plasma session has no key for \"\xE6\x97\xA5\", "
                           "\"\xC3\xA4\": KWin lets programs type only what the layout has, so nothing was typed");
  }
  SendKeys("ok");
  EXPECT_TRUE(WaitUntil([&] { return window.LogLines().size() >= 2; }));
  EXPECT_EQ(window.LogLines(), (Lines{"o", "k"}));
}

TEST(KdeKeys, LongStringsArriveWhole) {
  TOLM_REQUIRE_KWIN();
  AuthoriseTestPrograms();
  SetKeyboardLayouts("us");
  InstallKdeDesktop();
  WaylandTestWindow window(UniqueTitle("long"));
  WindowActivate(FindWindowByTitle(window.Title()));
  SendKeys("{y 3000}+{z 500}");
  Lines expected(3000, "y");
  expected.push_back("Shift_L");
  expected.insert(expected.end(), 500, "Z");
  EXPECT_TRUE(WaitUntil([&] { return window.LogLines().size() >= expected.size(); }, 10s));
  EXPECT_EQ(window.LogLines(), expected);
}

TEST(KdeKeys, ACloseRequestEndsAHugeRepeatAtOnceLeavingNoKeyPressed) {
  TOLM_REQUIRE_KWIN();
  AuthoriseTestPrograms();
  SetKeyboardLayouts("us");
  InstallKdeDesktop();
  WaylandTestWindow window(UniqueTitle("repeat"), {"--releases", "yes"});
  WindowActivate(FindWindowByTitle(window.Title()));
  RunningProgram tool(TOLM_KDE_KEYS_TOOL, {"+{x 2147483647}"});
  ASSERT_TRUE(WaitUntil([&] { return window.LogLines().size() >= 1000; }, 10s));
  const auto asked = std::chrono::steady_clock::now();
  tool.Signal(SIGTERM);
  EXPECT_EQ(tool.Wait(2000).status, 143);
  EXPECT_LT(std::chrono::steady_clock::now() - asked, 1s);
  // SHIFT went down first and came up last; between, only X pressed and
  // released, the last X released too.
  ASSERT_TRUE(WaitUntil([&] { return !window.LogLines().empty() && window.LogLines().back() == "up Shift_L"; }))
      << window.LogLines().size() << " lines, the last " << window.LogLines().back();
  const Lines lines = window.LogLines();
  EXPECT_EQ(lines.front(), "Shift_L");
  for (size_t i = 1; i + 1 < lines.size(); ++i) {
    EXPECT_EQ(lines[i], i % 2 == 1 ? "X" : "up X") << i;
    if (::testing::Test::HasFailure()) break;
  }
  EXPECT_EQ(lines.size() % 2, 0u);
}

}  // namespace
}  // namespace tolm::testing
