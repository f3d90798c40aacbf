// The Wayland desktop in the test's own process: opening it (and why it
// cannot be opened), window search by title and app id, windows that went
// away, and a key string with more characters than one keymap holds.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "services/seams/keyboard.h"
#include "services/desktop/wayland/wayland_connection.h"
#include "services/desktop/wayland/wayland_platform.h"
#include "services/seams/window_search.h"
#include "wayland_test_support.h"

namespace tolm::testing {
namespace {

// Sets WAYLAND_DISPLAY (nullptr: unsets it) while it lives.
class ScopedWaylandDisplay {
 public:
  explicit ScopedWaylandDisplay(const char* value) {
    if (const char* old = std::getenv("WAYLAND_DISPLAY")) old_ = old;
    if (value != nullptr) setenv("WAYLAND_DISPLAY", value, 1);
    else unsetenv("WAYLAND_DISPLAY");
  }
  ~ScopedWaylandDisplay() {
    if (old_) setenv("WAYLAND_DISPLAY", old_->c_str(), 1);
    else unsetenv("WAYLAND_DISPLAY");
  }
  ScopedWaylandDisplay(const ScopedWaylandDisplay&) = delete;
  ScopedWaylandDisplay& operator=(const ScopedWaylandDisplay&) = delete;

 private:
  std::optional<std::string> old_;
};

TEST(WaylandDesktop, WithoutACompositorTheReasonIsGiven) {
  const struct {
    const char* display;
    const char* reason;
  } cases[] = {
      {nullptr, "WAYLAND_DISPLAY is not set"},
      {"", "WAYLAND_DISPLAY is not set"},
      {"/nonexistent/wayland-7", "cannot connect to the compositor \"/nonexistent/wayland-7\": No such file or directory"},
  };
  for (const auto& c : cases) {
    ScopedWaylandDisplay display(c.display);
    std::string reason;
    EXPECT_EQ(WaylandConnection::Open(WaitStyle::kPump, reason), nullptr);
    EXPECT_EQ(reason, c.reason);
  }
}

// The desktop installed for the tests of this process.
void InstallWaylandDesktop() {
  DesktopBackend desktop;
  std::string reason;
  ASSERT_TRUE(OpenWaylandDesktop(desktop, reason)) << reason;
  ASSERT_NE(desktop.windows, nullptr);
  ASSERT_NE(desktop.keyboard, nullptr);
  ASSERT_TRUE(desktop.showMode);
  InstallDesktop(desktop);
}

TEST(WaylandDesktop, WindowsAreFoundByTitleAndAppIdAndGoneOnesAreHarmless) {
  TOLM_REQUIRE_COMPOSITOR();
  InstallWaylandDesktop();
  const std::string title = UniqueTitle("find");
  std::optional<WaylandTestWindow> window;
  window.emplace(title, std::vector<std::string>{"--app-id", "TolmFind", "--many", "2"});
  const struct {
    const char* titlePattern;
    const char* classPattern;
    int count;
  } cases[] = {
      {"", "TolmFind", 3},  // the empty pattern matches every title
      {"*find*", "TolmFind", 3},
      {"*find*", "Other", 0},
      {"*find*", "*", 3},
  };
  for (const auto& c : cases) {
    const std::string pattern = std::string(c.titlePattern).empty() ? "" : c.titlePattern;
    EXPECT_EQ(FindWindows(pattern, c.classPattern), c.count) << c.titlePattern << " " << c.classPattern;
  }
  EXPECT_EQ(FindWindows(title, "TolmFind"), 1);
  ASSERT_EQ(FoundTitles(), std::vector<std::string>{title});
  EXPECT_EQ(FindWindows(title + " 2", "*"), 1);
  const WindowHandle found = FindWindowByTitle(title);
  ASSERT_NE(found, kNoWindow);

  window.reset();  // killed: its toplevels go
  EXPECT_TRUE(WaitUntil([&] { return FindWindowByTitle(title) == kNoWindow; }));
  EXPECT_LE(FindWindows(title + "*", "*"), 0);  // -1 when no window is left at all
  EXPECT_NO_THROW(WindowActivate(found));
  EXPECT_NO_THROW(WindowClose(found));
  EXPECT_NO_THROW(WindowQuit(found));
}

TEST(WaylandDesktop, AKeyStringWithMoreCharactersThanOneKeymapIsTypedInRounds) {
  TOLM_REQUIRE_COMPOSITOR();
  InstallWaylandDesktop();
  WaylandTestWindow window(UniqueTitle("rounds"));
  WindowActivate(FindWindowByTitle(window.Title()));
  std::string text;
  std::vector<std::string> expected;
  for (char32_t c = 0x4E00; c < 0x4E00 + 500; ++c) {
    const std::string utf8{static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                           static_cast<char>(0x80 | (c & 0x3F))};
    text += utf8;
    expected.push_back(utf8);
  }
  // And back to the first characters, which a later round no longer holds.
  text += "\xE4\xB8\x80" "a";
  expected.push_back("\xE4\xB8\x80");
  expected.push_back("a");
  SendKeys(text);
  EXPECT_TRUE(WaitUntil([&] { return window.LogLines().size() >= expected.size(); }));
  EXPECT_EQ(window.LogLines(), expected);
}

}  // namespace
}  // namespace tolm::testing
