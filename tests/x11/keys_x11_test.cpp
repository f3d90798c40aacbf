// gtest first: Xlib defines macros (None, Bool, Status) that clash with it.
#include <gtest/gtest.h>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "services/seams/keyboard.h"
#include "services/seams/window_search.h"
#include "x11_test_support.h"

namespace tolm::testing {
namespace {

using Lines = std::vector<std::string>;

void SetLayout(const std::string& layout) {
  const std::string command = "setxkbmap " + layout;
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

class X11KeysTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetLayout("us");
    window_ = std::make_unique<TestWindowProcess>(UniqueTitle("keys"));
    const WindowHandle handle = FindWindowByTitle(window_->Title());
    ASSERT_NE(handle, kNoWindow);
    WindowActivate(handle);
    ASSERT_TRUE(WaitUntil([&] { return probe_.Focus() == static_cast<Window>(handle); }));
  }
  void TearDown() override { SetLayout("us"); }

  // Types the key string and returns the new log lines.
  Lines Type(const std::string& keys, size_t expectedLines) {
    const size_t before = window_->LogLines().size();
    SendKeys(keys);
    Lines all = window_->WaitForLogLines(before + expectedLines);
    return Lines(all.begin() + static_cast<long>(std::min(before, all.size())), all.end());
  }

  XProbe probe_;
  std::unique_ptr<TestWindowProcess> window_;
};

struct KeyCase {
  const char* keys;
  Lines expected;
};


TEST_F(X11KeysTest, ModifiersGroupsRepeatsAndNamedKeys) {
  const KeyCase cases[] = {
      {"abc", {"a", "b", "c"}},
      {"A", {"Shift_L", "A"}},
      {"+a", {"Shift_L", "A"}},
      {"^a", {"Control_L", "C-a"}},
      {"^A", {"Control_L", "C-a"}},  // no SHIFT while the key string holds CTRL
      {"%x", {"Alt_L", "M-x"}},
      {"+(ab)c", {"Shift_L", "A", "B", "c"}},
      {"{x 3}{TAB 2}", {"x", "x", "x", "Tab", "Tab"}},
      {"{ENTER}~", {"Return", "Return"}},
      {"{F5}{F12}{LEFT}{HOME}{PGDN}{DEL}{BS}{ESC}{INS}",
       {"F5", "F12", "Left", "Home", "Next", "Delete", "BackSpace", "Escape", "Insert"}},
      {"{+ 1}{% 1}{^ 1}{~ 1}{{ 1}", {"Shift_L", "+", "Shift_L", "%", "Shift_L", "^", "Shift_L", "~", "Shift_L", "{"}},
      {"1 2!", {"1", " ", "2", "Shift_L", "!"}},
  };
  for (const KeyCase& c : cases) EXPECT_EQ(Type(c.keys, c.expected.size()), c.expected) << c.keys;
}

TEST_F(X11KeysTest, Utf8CharactersOnThreeLayouts) {
  struct LayoutCase {
    const char* layout;
    std::vector<KeyCase> cases;
  };
  const LayoutCase layouts[] = {
      {"us",
       // All three through spare keys: two share the first, on its plain and
       // SHIFT levels, the third has the second to itself.
       {{"\xC3\xA9\xC3\x9F\xE2\x82\xAC", {"\xC3\xA9", "Shift_L", "\xC3\x9F", "\xE2\x82\xAC"}},
        {"zy", {"z", "y"}}}},
      {"de",
       {{"zy", {"z", "y"}},  // swapped keys on a German keyboard: found through the map
        {"\xC3\x9F\xC3\xB6", {"\xC3\x9F", "\xC3\xB6"}},
        {"\xC3\x96", {"Shift_L", "\xC3\x96"}},
        {"\xC3\xA9\xE2\x82\xAC", {"\xC3\xA9", "Shift_L", "\xE2\x82\xAC"}},  // dead key / AltGr: a spare key
        {"@", {"@"}}}},
      {"fr",
       {{"aqzw", {"a", "q", "z", "w"}},
        {"\xC3\xA9\xC3\xA8\xC3\xA0", {"\xC3\xA9", "\xC3\xA8", "\xC3\xA0"}},
        {"1", {"Shift_L", "1"}},  // digits are on the SHIFT level of AZERTY
        {"\xE2\x82\xAC\xC3\x9F", {"\xE2\x82\xAC", "Shift_L", "\xC3\x9F"}}}},
  };
  for (const LayoutCase& l : layouts) {
    SetLayout(l.layout);
    for (const KeyCase& c : l.cases) {
      EXPECT_EQ(Type(c.keys, c.expected.size()), c.expected) << l.layout << ": " << c.keys;
    }
  }
}

TEST_F(X11KeysTest, SpareKeysAreUnboundAfterTheKeyString) {
  Type("\xC3\xA9\xE2\x82\xAC", 2);
  Display* d = probe_.Get();
  int min = 0, max = 0, width = 0;
  XDisplayKeycodes(d, &min, &max);
  std::unique_ptr<KeySym, int (*)(void*)> map(XGetKeyboardMapping(d, static_cast<KeyCode>(min), max - min + 1, &width),
                                              XFree);
  const KeySym* begin = map.get();
  const KeySym* end = begin + (max - min + 1) * width;
  EXPECT_EQ(std::count(begin, end, static_cast<KeySym>(0xE9)), 0);        // eacute
  EXPECT_EQ(std::count(begin, end, static_cast<KeySym>(0x10020AC)), 0);   // U+20AC
}

TEST_F(X11KeysTest, LongStringsArriveWholeAndInOrder) {
  std::string keys;
  Lines expected;
  const std::string alphabet = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.,;:-_=/";
  for (int i = 0; i < 400; ++i) {
    const char ch = alphabet[(i * 7 + i / 13) % alphabet.size()];
    keys += ch;
    expected.emplace_back(1, ch);
  }
  keys += "\xC3\xA9";
  expected.emplace_back("\xC3\xA9");
  const size_t shifted = static_cast<size_t>(std::count_if(keys.begin(), keys.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || c == ':' || c == '_';
  }));
  Lines typed = Type(keys, expected.size() + shifted);
  typed.erase(std::remove(typed.begin(), typed.end(), "Shift_L"), typed.end());
  EXPECT_EQ(typed, expected);
}

TEST_F(X11KeysTest, ManyCharactersOutsideTheLayoutShareSpareKeys) {
  // 24 Greek and 10 Cyrillic letters: none is on a US keyboard, so they are
  // bound two to a spare key for this one key string.
  std::string keys;
  Lines expected;
  const auto add = [&](char32_t first, int count) {
    for (char32_t cp = first; cp < first + static_cast<char32_t>(count); ++cp) {
      const std::string utf8{static_cast<char>(0xC0 | (cp >> 6)), static_cast<char>(0x80 | (cp & 0x3F))};
      keys += utf8;
      expected.push_back(utf8);
    }
  };
  add(U'\u03B1', 17);  // alpha..rho
  add(U'\u03C3', 7);   // sigma..omega (final sigma left out)
  add(U'\u0430', 10);  // a..k in Cyrillic
  Lines typed = Type(keys + keys, 2 * expected.size());
  typed.erase(std::remove(typed.begin(), typed.end(), "Shift_L"), typed.end());
  Lines twice = expected;
  twice.insert(twice.end(), expected.begin(), expected.end());
  EXPECT_EQ(typed, twice);
}

// How many keys of the server's keyboard carry no symbol at all.
int SpareKeyCount(Display* d) {
  int min = 0, max = 0, width = 0;
  XDisplayKeycodes(d, &min, &max);
  std::unique_ptr<KeySym, int (*)(void*)> map(XGetKeyboardMapping(d, static_cast<KeyCode>(min), max - min + 1, &width),
                                              XFree);
  int spare = 0;
  for (int key = 0; key <= max - min; ++key) {
    const KeySym* syms = map.get() + key * width;
    if (std::all_of(syms, syms + width, [](KeySym s) { return s == NoSymbol; })) ++spare;
  }
  return spare;
}

std::string Utf8(char32_t cp) {
  return {static_cast<char>(0xC0 | (cp >> 6)), static_cast<char>(0x80 | (cp & 0x3F))};  // two-byte range only
}

TEST_F(X11KeysTest, MoreCharactersOutsideTheLayoutThanSpareKeysAreTypedInRounds) {
  // Cyrillic and Greek letters, none on a US keyboard: more distinct ones
  // than the spare keys hold (two each), so they are bound batch by batch.
  std::vector<char32_t> letters;
  for (char32_t cp = U'\u0410'; cp <= U'\u044F'; ++cp) letters.push_back(cp);
  for (char32_t cp = U'\u03B1'; cp <= U'\u03C9'; ++cp) {
    if (cp != U'\u03C2') letters.push_back(cp);  // final sigma left out
  }
  const size_t capacity = 2 * static_cast<size_t>(SpareKeyCount(probe_.Get()));
  const size_t distinct = std::max<size_t>(60, capacity + 20);
  ASSERT_LE(distinct, letters.size());
  letters.resize(distinct);

  // All of them, a character of the layout, then the first five again,
  // which are no longer bound by then.
  std::string keys;
  Lines expected;
  const auto add = [&](const std::string& utf8) {
    keys += utf8;
    expected.push_back(utf8);
  };
  for (char32_t cp : letters) add(Utf8(cp));
  add("q");
  for (size_t i = 0; i < 5; ++i) add(Utf8(letters[i]));

  const auto typed = [&] {
    Lines lines = window_->LogLines();
    lines.erase(std::remove(lines.begin(), lines.end(), "Shift_L"), lines.end());
    return lines;
  };
  SendKeys(keys);
  EXPECT_TRUE(WaitUntil([&] { return typed().size() >= expected.size(); }));
  EXPECT_EQ(typed(), expected);
}

}  // namespace
}  // namespace tolm::testing
