// Key strings typed into the helper program's window (needs a display: Wine
// on Xvfb, whose keyboard layout is US English): the key messages and the
// characters the window gets, and how characters are mapped to keys.
#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "helper_window.h"
#include "services/platform/windows/win_character_keys.h"
#include "services/platform/windows/win_windows.h"
#include "services/seams/keyboard.h"
#include "support/run_tolm.h"
#include "win_test_support.h"

namespace tolm {
namespace {

using testing::TempDir;
using wintest::HelperWindow;
using wintest::WaitUntil;

// The messages the helper window got, in order, for a key string: key
// messages ("down VK", "up VK") and characters ("char U", U the UTF-16 unit
// in hex). Each string gets a window of its own, with a title of its own.
std::string WindowMessages(const std::string& keyString) {
  static int number = 0;
  TempDir dir;
  const std::string log = dir.File("keys.log");
  const std::string title = "Tolm Keys Test " + std::to_string(++number);
  HelperWindow helper(title, log);
  EXPECT_TRUE(helper.WaitShown());
  const WindowHandle window = FindWindowByTitle(title);
  WindowActivate(window);
  EXPECT_TRUE(WaitUntil([window] { return GetForegroundWindow() == WindowOf(window); }));
  SendKeys(keyString + "{F12}");
  // F12 (123) ends every string: once its release is logged, all came.
  EXPECT_TRUE(WaitUntil([&] { return testing::ReadFileText(log).find("up 123\n") != std::string::npos; }));
  std::string text = testing::ReadFileText(log);
  text.erase(0, text.find('\n') + 1);  // "shown"
  return text.substr(0, text.find("down 123\n"));
}

// The lines of messages that start with one of the prefixes.
std::string LinesStartingWith(const std::string& messages, std::initializer_list<std::string_view> prefixes) {
  std::string kept;
  for (size_t at = 0; at < messages.size();) {
    const size_t end = messages.find('\n', at) + 1;
    const std::string_view line(messages.data() + at, end - at);
    for (std::string_view prefix : prefixes) {
      if (line.starts_with(prefix)) {
        kept += line;
        break;
      }
    }
    at = end;
  }
  return kept;
}

// The characters of the "char" lines, one byte per unit (for ASCII).
std::string TypedAscii(const std::string& messages) {
  std::string typed;
  for (size_t at = 0; (at = messages.find("char ", at)) != std::string::npos; at += 5) {
    typed += static_cast<char>(std::stoul(messages.substr(at + 5, 4), nullptr, 16));
  }
  return typed;
}

TEST(WinKeyboardTest, KeyStringsBecomeKeyEventsInTheirOrder) {
  struct Case {
    const char* keys;
    const char* messages;
  };
  const Case cases[] = {
      // A capital gets SHIFT around it; with a modifier held by the string it does not.
      {"aB", "down 65\nup 65\ndown 16\ndown 66\nup 66\nup 16\n"},
      {"^A", "down 17\ndown 65\nup 65\nup 17\n"},
      // A group under a modifier, a repeat count, named keys.
      {"+(ab){TAB 2}{LEFT}", "down 16\ndown 65\nup 65\ndown 66\nup 66\nup 16\ndown 9\nup 9\ndown 9\nup 9\n"
                             "down 37\nup 37\n"},
      {"%x~{x 2}", "down 18\ndown 88\nup 88\nup 18\ndown 13\nup 13\ndown 88\nup 88\ndown 88\nup 88\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(LinesStartingWith(WindowMessages(c.keys), {"down", "up"}), c.messages) << c.keys;
}

// Characters the layout has no key for arrive as themselves (VK_PACKET, 231,
// then the character), with no SHIFT of their own; the modifiers the key
// string holds stay down around them.
TEST(WinKeyboardTest, CharactersWithoutAKeyArriveAsThemselves) {
  struct Case {
    const char* keys;
    const char* messages;
  };
  const Case cases[] = {
      {"\xE2\x82\xAC", "down 231\nchar 20AC\nup 231\n"},                       // the euro sign, in UTF-8
      {"\x80", "down 231\nchar 20AC\nup 231\n"},                               // the same, a byte of code page 1252
      {"\xC3\xA9", "down 231\nchar 00E9\nup 231\n"},                           // e acute
      {"a\xCE\xB1", "down 65\nchar 0061\nup 65\ndown 231\nchar 03B1\nup 231\n"},  // a, alpha
      // Beyond U+FFFF: the two halves of the UTF-16 pair.
      {"\xF0\x9F\x98\x80", "down 231\nchar D83D\ndown 231\nchar DE00\nup 231\nup 231\n"},
      {"+(a\xE2\x82\xAC)", "down 16\ndown 65\nchar 0041\nup 65\ndown 231\nchar 20AC\nup 231\nup 16\n"},
      {"^\xE2\x82\xAC", "down 17\ndown 231\nchar 20AC\nup 231\nup 17\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(WindowMessages(c.keys), c.messages) << c.keys;
}

// Every printable ASCII character arrives, "(" and ")" among them (under
// Wine the layout has no usable key for them), and "+", "^", "%", "~", "{"
// through the repeat form that types them as they stand.
TEST(WinKeyboardTest, EveryPrintableAsciiCharacterArrives) {
  std::string keys, expected;
  for (char c = ' '; c <= '~'; ++c) {
    expected += c;
    keys += std::string_view("+^%~{").find(c) == std::string_view::npos ? std::string(1, c)
                                                                        : std::string("{") + c + " 1}";
  }
  EXPECT_EQ(TypedAscii(WindowMessages(keys)), expected);
}

TEST(WinCharacterKeysTest, CharactersBecomeUtf16) {
  struct Case {
    char32_t character;
    std::wstring units;
  };
  const Case cases[] = {
      {U'a', L"a"},
      {0x80, L"\u20AC"},  // a byte of the script, in code page 1252
      {0xE9, L"\u00E9"},
      {0x3B1, L"\u03B1"},
      {0x1F600, L"\xD83D\xDE00"},
      {0x10FFFF, L"\xDBFF\xDFFF"},
      {0xD800, L""},  // a surrogate, no character
      {0x110000, L""},
  };
  ASSERT_EQ(GetACP(), 1252u) << "tools/test-windows.sh runs Wine with the code page 1252";
  for (const Case& c : cases) EXPECT_EQ(Utf16OfCharacter(c.character), c.units) << static_cast<uint32_t>(c.character);
}

// The US layout's keys, SHIFT where it is needed; no key for characters the
// layout lacks.
TEST(WinCharacterKeysTest, TheLayoutKeyIsKeptWhenItGivesTheCharacterBack) {
  struct Case {
    char32_t character;
    std::optional<LayoutKey> key;
  };
  const Case cases[] = {
      {U'a', LayoutKey{'A', false}}, {U'A', LayoutKey{'A', true}},      {U'1', LayoutKey{'1', false}},
      {U'!', LayoutKey{'1', true}},  {U' ', LayoutKey{VK_SPACE, false}}, {U'{', LayoutKey{VK_OEM_4, true}},
      {0x20AC, std::nullopt},        {0x3B1, std::nullopt},              {0x1F600, std::nullopt},
  };
  const HKL layout = GetKeyboardLayout(0);
  for (const Case& c : cases) {
    EXPECT_EQ(KeysForCharacter(c.character, layout).layoutKey, c.key) << static_cast<uint32_t>(c.character);
  }
}

}  // namespace
}  // namespace tolm
