#include "services/core/key_translation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "fakes/fake_process_platform.h"
#include "services/core/errors.h"
#include "services/seams/keyboard.h"
#include "services/seams/desktop.h"
#include "services/seams/program_end.h"
#include "services/seams/pump_backend.h"

namespace tolm {
namespace {

struct TranslationCase {
  std::string keys;
  KeyCodes expected;
};

// Test listings name each case by its key string.
void PrintTo(const TranslationCase& c, std::ostream* os) { *os << "keys '" << c.keys << "'"; }

class TranslateKeysTest : public ::testing::TestWithParam<TranslationCase> {};

// Every code of the key string, repeats written out.
KeyCodes Expand(std::string_view keys) {
  KeyCodes codes;
  KeyTranslator translator(keys);
  for (KeyRuns runs; translator.Next(runs);) {
    for (const KeyRun& run : runs) codes.insert(codes.end(), run.count, run.code);
  }
  return codes;
}

std::string Show(const KeyCodes& codes) {
  std::string s;
  for (KeyCode c : codes) s += std::to_string(c) + " ";
  return s;
}

TEST_P(TranslateKeysTest, GivesTheKeyCodes) {
  const TranslationCase& c = GetParam();
  const KeyCodes got = Expand(c.keys);
  EXPECT_EQ(got, c.expected) << "keys '" << c.keys << "': got " << Show(got) << "expected "
                             << Show(c.expected);
}

constexpr KeyCode SD = kShiftDown, SU = kShiftUp, CD = kCtrlDown, CU = kCtrlUp, AD = kAltDown, AU = kAltUp;

INSTANTIATE_TEST_SUITE_P(
    Modifiers, TranslateKeysTest,
    ::testing::Values(
        TranslationCase{"abc", {'a', 'b', 'c'}},
        TranslationCase{"+a", {SD, 'a', SU}},
        TranslationCase{"^+a", {CD, SD, 'a', SU, CU}},
        TranslationCase{"+(abc)", {SD, 'a', 'b', 'c', SU}},
        TranslationCase{"abc+", {'a', 'b', 'c', SD}},  // left pressed at the end
        TranslationCase{"%fx", {AD, 'f', AU, 'x'}},
        TranslationCase{"%(fx)", {AD, 'f', 'x', AU}},
        TranslationCase{"(a)", {'(', 'a', ')'}},      // no modifier: plain characters
        TranslationCase{"+~", {SD, kKeyEnter}},        // "~" does not release
        TranslationCase{"~", {kKeyEnter}},
        TranslationCase{"^%+(ab)c", {CD, AD, SD, 'a', 'b', SU, CU, AU, 'c'}},
        TranslationCase{"++a", {SD, SD, 'a', SU}},
        TranslationCase{"+)", {SD, ')', SU}},           // ")" without a group is a character
        // "(" inside a group only sets the group flag again.
        TranslationCase{"+(a(b)", {SD, 'a', 'b', SU}}));

INSTANTIATE_TEST_SUITE_P(
    BraceForms, TranslateKeysTest,
    ::testing::Values(
        TranslationCase{"{ENTER}", {kKeyEnter}},
        TranslationCase{"{TAB 3}", {9, 9, 9}},
        TranslationCase{"{TAB  3}", {9, 9, 9}},  // leading blanks of the count are skipped
        TranslationCase{"{TAB3}", {}},
        TranslationCase{"{LEFT 2}", {kKeyLeft, kKeyLeft}},
        TranslationCase{"{F10}", {237}},
        TranslationCase{"{F1 2}", {228, 228}},
        TranslationCase{"{F12}", {239}},
        TranslationCase{"{DEL 2}", {kKeyDelete, kKeyDelete}},
        TranslationCase{"{DELETE}", {kKeyDelete}},
        TranslationCase{"{x 4}", {'x', 'x', 'x', 'x'}},
        TranslationCase{"{ab 2}", {'a', 'b', 'a', 'b'}},
        TranslationCase{"{+ 1}", {'+'}},
        TranslationCase{"{^ 1}{% 1}{~ 1}{{ 1}", {'^', '%', '~', '{'}},
        TranslationCase{"{a b 2}", {'a', ' ', 'b', 'a', ' ', 'b'}},  // the last blank separates
        TranslationCase{"{enter}", {}},
        TranslationCase{"{x 0}", {}},
        TranslationCase{"{x -2}", {}},
        TranslationCase{"{TAB 0}", {}},
        TranslationCase{"{ALT}", {AD, AU}},
        TranslationCase{"{SHIFT}a", {SD, SU, 'a'}},
        TranslationCase{"{SHIFT 2}a", {SD, SD, SU, 'a'}},
        TranslationCase{"{HELP}", {0}},
        TranslationCase{"{F13 2}", {0, 0}},
        TranslationCase{"{BS}{BKSP}{BACKSPACE}{ESC}", {8, 8, 8, 27}},
        TranslationCase{"{HOME}{END}{UP}{DOWN}{RIGHT}{PGUP}{PGDN}{INSERT}{INS}",
                        {240, 241, 242, 243, 245, 246, 247, 248, 248}},
        TranslationCase{"+{TAB}x", {SD, 9, SU, 'x'}},
        TranslationCase{"+({TAB}x)", {SD, 9, 'x', SU}},
        TranslationCase{"{}}", {'}'}},  // "{}" is an empty brace form
        TranslationCase{"{5}", {}},     // a count with nothing to repeat
        // A "{" without "}" ends the brace search: the rest is typed as it stands.
        TranslationCase{"a{b+c", {'a', '{', 'b', '+', 'c'}},
        TranslationCase{"+{TAB", {SD, '{', 'T', 'A', 'B', SU}}));

INSTANTIATE_TEST_SUITE_P(
    Bytes, TranslateKeysTest,
    ::testing::Values(
        // Valid UTF-8 multi-byte characters are one key each.
        TranslationCase{"\xC3\xA9", {UnicodeKey(0xE9)}},             // é
        TranslationCase{"\xC3\x9F", {UnicodeKey(0xDF)}},             // ß
        TranslationCase{"\xE2\x82\xAC", {UnicodeKey(0x20AC)}},       // €
        TranslationCase{"\xF0\x9F\x98\x80", {UnicodeKey(0x1F600)}},  // emoji
        TranslationCase{"+\xC3\xA9x", {SD, UnicodeKey(0xE9), SU, 'x'}},
        TranslationCase{"{\xE2\x82\xAC 2}", {UnicodeKey(0x20AC), UnicodeKey(0x20AC)}},
        // Bytes that are not part of a valid sequence keep their byte meaning:
        // 228 and above are special keys, below that Latin-1 characters.
        TranslationCase{"\xE4", {kKeyF1}},
        TranslationCase{"\xE4x", {kKeyF1, 'x'}},
        TranslationCase{"\xE9", {kKeyF1 + 5}},
        TranslationCase{"\xFA\xFB", {kShiftDown, kShiftUp}},
        TranslationCase{"\xC3", {0xC3}},
        TranslationCase{"\xC0\xA9", {0xC0, 0xA9}},        // overlong lead
        TranslationCase{"\xE0\x80\x80", {0xE0, 0x80, 0x80}},  // overlong 3-byte
        TranslationCase{"\xED\xA0\x80", {0xED, 0xA0, 0x80}},  // surrogate: 0xED is F10
        TranslationCase{"\xF4\x90\x80\x80", {0xF4, 0x90, 0x80, 0x80}},        // above U+10FFFF
        TranslationCase{"\xE2\x82", {0xE2, 0x82}},                            // cut short
        TranslationCase{std::string("\t\x01", 2), {9, 1}},
        TranslationCase{"", {}}));

TEST(KeyTranslator, LongRepeatsKeepTheirPlaceAcrossChunks) {
  // 300 repetitions of a two-key text span several chunks; the SHIFT before
  // the repeat is released after its last repetition, not before.
  KeyCodes expected{SD};
  for (int i = 0; i < 300; ++i) expected.insert(expected.end(), {'a', 'b'});
  expected.insert(expected.end(), {SU, 'c', 'x', 'y', 'x', 'y', '~'});
  EXPECT_EQ(Expand("+{ab 300}c{xy 2}{~ 1}"), expected);
}

TEST(KeyTranslator, HugeCountsCostNoMemoryUpFront) {
  struct Case {
    std::string keys;
    KeyRuns firstChunk;  // runs of the first chunk, from its start
  };
  constexpr uint32_t kMax = 2147483647;
  const Case cases[] = {
      {"{x 2147483647}", {{'x', kMax}}},
      {"{ENTER 2147483647}", {{kKeyEnter, kMax}}},
      {"+{SHIFT 2147483647}a", {{SD, 1}, {SD, kMax}, {SU, 1}, {'a', 1}}},
      {"{F13 2147483647}", {{0, kMax}}},
      {"{\xE2\x82\xAC 2147483647}", {{UnicodeKey(0x20AC), kMax}}},
      {"{ab 2147483647}", {{'a', 1}, {'b', 1}, {'a', 1}, {'b', 1}}},
  };
  for (const Case& c : cases) {
    KeyTranslator translator(c.keys);
    KeyRuns runs;
    ASSERT_TRUE(translator.Next(runs)) << c.keys;
    EXPECT_LE(runs.size(), 300u) << c.keys;
    ASSERT_GE(runs.size(), c.firstChunk.size()) << c.keys;
    EXPECT_EQ(KeyRuns(runs.begin(), runs.begin() + static_cast<long>(c.firstChunk.size())), c.firstChunk) << c.keys;
  }
}

TEST(KeyTranslator, ARepeatOfNothingEndsAtOnce) {
  for (const char* keys : {"{2147483647}", "{ 2147483647}"}) {
    KeyTranslator translator(keys);
    KeyRuns runs;
    EXPECT_FALSE(translator.Next(runs)) << keys;
    EXPECT_TRUE(runs.empty()) << keys;
  }
}

TEST(CharactersOfKeys, DistinctCharactersInOrderOfFirstUse) {
  struct Case {
    std::string keys;
    std::vector<char32_t> expected;
  };
  const Case cases[] = {
      {"a{TAB}\xE2\x82\xAC{b 2}ab", {U'a', U'\u20AC', U'b'}},
      {"{xy 2147483647}z{x 2147483647}", {U'x', U'y', U'z'}},
      {"+(aB){ENTER 5}~{F13 2147483647}", {U'a', U'B'}},
      {"{+ 1}{{ 3}a{b", {U'+', U'{', U'a', U'b'}},  // the last "{" has no "}": typed as it stands
      {"{x 0}{y -1}{2147483647}", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(CharactersOfKeys(c.keys), c.expected) << c.keys;
}

TEST(CharacterOfKeyCode, SeparatesCharactersFromKeys) {
  EXPECT_EQ(CharacterOfKeyCode('a'), U'a');
  EXPECT_EQ(CharacterOfKeyCode(' '), U' ');
  EXPECT_EQ(CharacterOfKeyCode(0xE3), U'\u00E3');
  EXPECT_EQ(CharacterOfKeyCode(UnicodeKey(0x20AC)), U'\u20AC');
  EXPECT_EQ(CharacterOfKeyCode(UnicodeKey(0xE9)), U'\u00E9');
  EXPECT_EQ(CharacterOfKeyCode(kKeyEnter), 0u);
  EXPECT_EQ(CharacterOfKeyCode(kKeyF1), 0u);
  EXPECT_EQ(CharacterOfKeyCode(kAltUp), 0u);
}

}  // namespace
}  // namespace tolm

// ---- From key codes to key events --------------------------------------


namespace tolm {
namespace {

// Records events as "+Name" / "-Name"; characters as "+a" / "-a" (UTF-8 not
// needed here: the tests use ASCII and code point numbers).
class RecordingKeyboard : public KeyboardSystem {
 public:
  std::vector<std::string> events;
  std::vector<char32_t> begun;
  std::vector<char32_t> untypable;
  bool ended = false;
  bool failOnPress = false;
  size_t failAfterEvents = 0;  // 0: never

  void BeginKeys(const std::vector<char32_t>& characters) override { begun = characters; }
  std::optional<bool> CharacterNeedsShift(char32_t ch) override {
    if (std::find(untypable.begin(), untypable.end(), ch) != untypable.end()) return std::nullopt;
    return (ch >= 'A' && ch <= 'Z') || ch == '!' || ch == '+';
  }
  void PressNamed(NamedKey key, bool down) override {
    static const char* const kNames[] = {"BackSpace", "Tab",   "Return", "Escape", "F1",   "F2",
                                         "F3",        "F4",    "F5",     "F6",     "F7",   "F8",
                                         "F9",        "F10",   "F11",    "F12",    "Home", "End",
                                         "Up",        "Down",  "Left",   "Right",  "Prior", "Next",
                                         "Insert",    "Delete", "Shift", "Control", "Alt"};
    Record(kNames[static_cast<int>(key)], down);
  }
  void PressCharacter(char32_t ch, bool down) override {
    if (failOnPress || (failAfterEvents > 0 && events.size() >= failAfterEvents)) throw Exception("device gone");
    Record(ch < 128 ? std::string(1, static_cast<char>(ch)) : "U+" + std::to_string(ch), down);
  }
  void EndKeys() override { ended = true; }

 private:
  void Record(const std::string& name, bool down) { events.push_back((down ? "+" : "-") + name); }
};

class SendKeysTest : public ::testing::Test {
 protected:
  void SetUp() override { InstallDesktop(DesktopBackend{nullptr, &keyboard_, {}}); }
  void TearDown() override { UninstallDesktop(); }
  std::vector<std::string> Send(std::string_view keys) {
    keyboard_.events.clear();
    SendKeys(keys);
    return keyboard_.events;
  }
  RecordingKeyboard keyboard_;
};

using Events = std::vector<std::string>;

TEST_F(SendKeysTest, EventOrder) {
  struct Case {
    const char* keys;
    Events expected;
  };
  const Case cases[] = {
      {"a", {"+a", "-a"}},
      {"A", {"+Shift", "+A", "-A", "-Shift"}},  // SHIFT added around a shifted character
      {"^A", {"+Control", "+A", "-A", "-Control"}},  // not while a modifier is held
      {"^a", {"+Control", "+a", "-a", "-Control"}},
      {"+a", {"+Shift", "+a", "-a", "-Shift"}},
      {"%fx", {"+Alt", "+f", "-f", "-Alt", "+x", "-x"}},
      {"%(fx)", {"+Alt", "+f", "-f", "+x", "-x", "-Alt"}},
      {"{TAB 2}~", {"+Tab", "-Tab", "+Tab", "-Tab", "+Return", "-Return"}},
      {"{F1}{F12}{PGUP}{DEL}", {"+F1", "-F1", "+F12", "-F12", "+Prior", "-Prior", "+Delete", "-Delete"}},
      {"{BS}{ESC}", {"+BackSpace", "-BackSpace", "+Escape", "-Escape"}},
      {"+~", {"+Shift", "+Return", "-Return"}},  // SHIFT stays down
      {"{HELP}b", {"+b", "-b"}},                 // the empty key sends nothing
      {"\xE4", {"+F1", "-F1"}},
      {"\xC3\xA9", {"+U+233", "-U+233"}},
  };
  for (const Case& c : cases) EXPECT_EQ(Send(c.keys), c.expected) << c.keys;
}

TEST_F(SendKeysTest, HeldFlagFollowsTheLastModifierCode) {
  // After "+" is released by its key, a shifted character gets SHIFT again.
  EXPECT_EQ(Send("+aB"), (Events{"+Shift", "+a", "-a", "-Shift", "+Shift", "+B", "-B", "-Shift"}));
  // An up code clears the held flag even while another modifier is down.
  EXPECT_EQ(Send("^+(a)!"),
            (Events{"+Control", "+Shift", "+a", "-a", "-Shift", "-Control", "+Shift", "+!", "-!", "-Shift"}));
}

TEST_F(SendKeysTest, UntypableCharactersAreSkipped) {
  keyboard_.untypable = {U'x'};
  EXPECT_EQ(Send("axb"), (Events{"+a", "-a", "+b", "-b"}));
}

TEST_F(SendKeysTest, TheBackendLearnsEveryCharacterFirst) {
  Send("a{TAB}\xE2\x82\xAC{b 2}a");
  EXPECT_EQ(keyboard_.begun, (std::vector<char32_t>{U'a', U'\u20AC', U'b'}));
  EXPECT_TRUE(keyboard_.ended);
}

TEST_F(SendKeysTest, TheKeyStringIsEndedWhenSendingFails) {
  keyboard_.failOnPress = true;
  EXPECT_THROW(SendKeys("a"), Exception);
  EXPECT_TRUE(keyboard_.ended);
}

// A close request that arrives after the given number of pump passes.
class ClosingPump : public PumpBackend {
 public:
  explicit ClosingPump(int passesBeforeClose) : closeAt_(passesBeforeClose) { SetPumpBackend(this); }
  ~ClosingPump() override { SetPumpBackend(nullptr); }
  ClosingPump(const ClosingPump&) = delete;
  ClosingPump& operator=(const ClosingPump&) = delete;
  int passes = 0;
  bool WaitAndServe(std::optional<std::chrono::steady_clock::time_point>) override {
    if (++passes == closeAt_) EndProgram(143);
    return false;
  }

 private:
  int closeAt_;
};

TEST_F(SendKeysTest, ACloseRequestEndsAHugeRepeatAtOnce) {
  // Each string would type for hours; a close request after 1000 keys ends
  // it there, without the whole key code string ever being built.
  struct Case {
    const char* keys;
    std::vector<std::string> firstEvents;  // the events of the first key
  };
  const Case cases[] = {
      {"{x 2147483647}", {"+x", "-x"}},
      {"{ENTER 2147483647}", {"+Return", "-Return"}},
      {"{xY 2147483647}", {"+x", "-x"}},
      {"+{SHIFT 2147483647}", {"+Shift"}},
  };
  for (const Case& c : cases) {
    process_fakes::ProgramEndCatcher catcher;
    ClosingPump pump(1000);
    keyboard_.events.clear();
    keyboard_.ended = false;
    try {
      SendKeys(c.keys);
      ADD_FAILURE() << c.keys << ": typing ended by itself";
    } catch (const process_fakes::ProgramEnded& e) {
      EXPECT_EQ(e.exitCode, 143) << c.keys;
    }
    EXPECT_EQ(pump.passes, 1000) << c.keys;
    ASSERT_GE(keyboard_.events.size(), c.firstEvents.size()) << c.keys;
    EXPECT_EQ(Events(keyboard_.events.begin(), keyboard_.events.begin() + static_cast<long>(c.firstEvents.size())),
              c.firstEvents)
        << c.keys;
    EXPECT_LE(keyboard_.events.size(), 4000u) << c.keys;  // at most four events per key
    EXPECT_TRUE(keyboard_.ended) << c.keys;
  }
}

TEST_F(SendKeysTest, AKeyboardThatFailsMidwayEndsAHugeRepeat) {
  keyboard_.failAfterEvents = 500;
  try {
    SendKeys("{ab 2147483647}");
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "device gone");
  }
  EXPECT_EQ(keyboard_.events.size(), 500u);
  EXPECT_EQ(keyboard_.events[498], "+b");
  EXPECT_TRUE(keyboard_.ended);
}

TEST_F(SendKeysTest, RepeatsOfNoKeyAreServedOnceAndEndAtOnce) {
  // Nothing to type, however large the count: no events, and the whole
  // string takes one pump pass per run instead of one per repetition.
  ClosingPump pump(0);
  EXPECT_EQ(Send("{2147483647}{ 2147483647}{F13 2147483647}{HELP 2147483647}a"), (Events{"+a", "-a"}));
  EXPECT_EQ(pump.passes, 3);
}

TEST(SendKeysWithoutKeyboard, Throws) {
  InstallDesktop(DesktopBackend{});
  try {
    SendKeys("a");
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Keystrokes are not available: no keyboard is installed");
  }
  UninstallDesktop();
}

}  // namespace
}  // namespace tolm
