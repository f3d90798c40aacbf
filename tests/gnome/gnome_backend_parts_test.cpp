// The GNOME backend's parts that need no session: which XDG_CURRENT_DESKTOP
// names GNOME, the order of a search, and the message for characters no
// layout types.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "services/desktop/gnome/gnome_keyboard.h"
#include "services/desktop/gnome/gnome_windows.h"

namespace tolm::testing {
namespace {

TEST(GnomeParts, ASearchTakesTheFocusedWindowFirstThenTheStackFromTheTop) {
  const std::vector<ShellWindow> stack{
      {7, "top", "a.b", 10, false},
      {0, "no id", "a.b", 10, false},  // not a handle: left out
      {9, "focused", "c.d", 11, true},
      {3, "", "e.f", -1, false},  // no title: listed, a search skips it
      {4, "bottom", "a.b", 10, false},
  };
  const std::vector<WindowInfo> withClasses = WindowsForSearch(stack, true);
  ASSERT_EQ(withClasses.size(), 4u);
  const std::vector<WindowHandle> handles{withClasses[0].handle, withClasses[1].handle, withClasses[2].handle,
                                          withClasses[3].handle};
  EXPECT_EQ(handles, (std::vector<WindowHandle>{9, 7, 3, 4}));
  EXPECT_EQ(withClasses[0].title, "focused");
  EXPECT_EQ(withClasses[0].className, "c.d");
  for (const WindowInfo& w : WindowsForSearch(stack, false)) EXPECT_EQ(w.className, "") << w.title;
}

TEST(GnomeParts, CharactersNoLayoutTypesAreNamedInTheirOrder) {
  EXPECT_EQ(UntypableMessage({"\xE6\x97\xA5", "\xC3\xA4"}, true),
            "The keyboard layouts of this GNOME session have no key for \"\xE6\x97\xA5\", \"\xC3\xA4\": Mutter lets "
            "programs type only what the layouts have, so nothing was typed");
  EXPECT_EQ(UntypableMessage({"\xD0\x96"}, false),
            "The keyboard layout in use in this GNOME session has no key for \"\xD0\x96\": Mutter lets programs type "
            "only what the layouts have, and other layouts can be switched to only through tolm32's GNOME Shell "
            "extension, which does not answer, so nothing was typed");
}

}  // namespace
}  // namespace tolm::testing
