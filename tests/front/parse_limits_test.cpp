#include <gtest/gtest.h>

#include "expr/evaluator.h"
#include "front/command_parser.h"
#include "front/recording_ui.h"
#include "services/core/errors.h"

namespace tolm {
namespace {

struct Failure {
  std::string message;
  std::string dialog;
};

Failure ParseFailure(const std::string& text) {
  testing::RecordingUi ui;
  Failure f;
  try {
    TTolmYacc().Parse(text, "t.tm");
    f.message = "accepted";
  } catch (const Exception& e) {
    f.message = e.Message();
  }
  if (!ui.dialogs.empty()) f.dialog = ui.dialogs.back();
  return f;
}

TEST(CommandParseLimits, ScannerLimitsFailTheParseWithAReport) {
  const std::string word255(255, 'w');
  const std::string line2047(2047, 'x');
  const struct {
    std::string text;
    std::string errors;
  } cases[] = {
      {"ok\n" + word255 + "\nnever\n",
       "Line 2 Col 256 in file \"t.tm\"\r\nyytext overflow (limit is 255 characters) at " + word255 + "\r\n"},
      // The line end of "a" and an empty line are pushed back onto a full
      // buffer holding the next line of 2047 characters.
      {"a\n\n" + line2047 + "\n",
       "Line 3 Col 1 in file \"t.tm\"\r\ninput buffer overflow (limit is 2048 characters) at \n\nx\r\n"},
      {"/pause \"" + std::string(254, 'q') + "\"\n",
       "Line 1 Col 263 in file \"t.tm\"\r\nyytext overflow (limit is 255 characters) at \"" + std::string(254, 'q') +
           "\r\n"},
  };
  for (const auto& c : cases) {
    Failure f = ParseFailure(c.text);
    EXPECT_EQ(f.message, "parse error");
    EXPECT_EQ(f.dialog, testing::ParseReport("", c.errors));
  }
}

TEST(CommandParseLimits, TokensJustWithinTheLimitsAreAccepted) {
  testing::RecordingUi ui;
  const std::string quoted = "\"" + std::string(253, 'q') + "\"";  // 255 with its quotes
  auto list = TTolmYacc().Parse("/pause " + quoted + "\n" + std::string(254, 'w') + "\n", "t.tm");
  ASSERT_EQ(list->Top().size(), 2u);
  EXPECT_EQ(list->Top()[0].args[1], quoted);
  EXPECT_EQ(list->Top()[1].args[0], std::string(254, 'w'));
  EXPECT_TRUE(ui.dialogs.empty());
}

TEST(CommandParseLimits, OverlongLinesAndNulBytesFailTheParseWithAReport) {
  using namespace std::string_literals;
  const struct {
    std::string text;
    std::string errors;
  } cases[] = {
      {"ok\n" + std::string(2048, 'x') + "\n",
       "Line 2 Col 2048 in file \"t.tm\"\r\nline too long (limit is 2047 characters) at \r\n"},
      {"ok\n" + std::string(5000, 'x'),
       "Line 2 Col 2048 in file \"t.tm\"\r\nline too long (limit is 2047 characters) at \r\n"},
      // Nothing after a NUL byte is dropped silently.
      {"/plist\n/pa\0use x\n/wlist\n"s, "Line 2 Col 4 in file \"t.tm\"\r\nNUL character in the text at /pa\r\n"},
      {"/plist\n\0\n"s, "Line 2 Col 1 in file \"t.tm\"\r\nNUL character in the text at \r\n"},
      {"/pause \"a\0b\"\n"s, "Line 1 Col 10 in file \"t.tm\"\r\nNUL character in the text at \"a\r\n"},
      {"# note\0\n"s, "Line 1 Col 7 in file \"t.tm\"\r\nNUL character in the text at # note\r\n"},
  };
  for (const auto& c : cases) {
    Failure f = ParseFailure(c.text);
    EXPECT_EQ(f.message, "parse error");
    EXPECT_EQ(f.dialog, testing::ParseReport("", c.errors));
  }
}

// A text the grammar joins from several tokens is limited to 255 characters
// as well; one that grows beyond is reported where its last token ends, once
// per line, by a parse and by a check alike.
TEST(CommandParseLimits, TextsBeyond255CharactersAreReportedAtTheirLine) {
  const std::string w200(200, 'w'), q200 = "\"" + std::string(198, 'q') + "\"";
  const std::string tooLong = "text too long (limit is 255 characters)\r\n";
  const struct {
    std::string text;
    std::string errors;
  } cases[] = {
      {"ok\n/pause " + q200 + " & " + q200 + "\nok\n", "Line 2 Col 411 in file \"t.tm\"\r\n" + tooLong},
      {"p " + w200 + "&" + w200 + "\n", "Line 1 Col 404 in file \"t.tm\"\r\n" + tooLong},
      {"/set X=f(" + w200 + "+" + w200 + ")\n", "Line 1 Col 411 in file \"t.tm\"\r\n" + tooLong},
      {"/if " + w200 + " eq " + w200 + " {\n}\n", "Line 1 Col 409 in file \"t.tm\"\r\n" + tooLong},
      {"/if a&" + w200 + "&" + w200 + " eq b&" + w200 + "&" + w200 + " {\n}\n",
       "Line 1 Col 408 in file \"t.tm\"\r\n" + tooLong},
      {"p " + w200 + "-" + w200 + "\np " + w200 + "-" + w200 + "\n",
       "Line 1 Col 404 in file \"t.tm\"\r\n" + tooLong + "Line 2 Col 404 in file \"t.tm\"\r\n" + tooLong},
  };
  for (const auto& c : cases) {
    Failure f = ParseFailure(c.text);
    EXPECT_EQ(f.message, "parse error");
    EXPECT_EQ(f.dialog, testing::ParseReport("", c.errors)) << c.text.substr(0, 20);
    testing::RecordingUi ui;
    EXPECT_FALSE(TTolmYacc().Check(c.text, "t.tm"));
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0], testing::ParseReport("", c.errors));
  }
}

TEST(CommandParseLimits, AJoinedTextOfExactly255CharactersIsKept) {
  testing::RecordingUi ui;
  const std::string w126(126, 'w');
  auto list = TTolmYacc().Parse("p " + w126 + "&" + w126 + "\n", "t.tm");
  ASSERT_EQ(list->Top().size(), 1u);
  EXPECT_EQ(list->Top()[0].args[1], w126 + " & " + w126);
  EXPECT_TRUE(ui.dialogs.empty());
}

TEST(CommandParseLimits, LexTraceKeepsThePartialListAfterALimit) {
  testing::ScopedLexTrace trace(true);
  testing::RecordingUi ui;
  auto list = TTolmYacc().Parse("first\n" + std::string(300, 'w') + "\n", "t.tm");
  ASSERT_EQ(list->Top().size(), 1u);
  EXPECT_EQ(list->Top()[0].args[0], "first");
  ASSERT_EQ(ui.dialogs.size(), 1u);
  EXPECT_NE(ui.dialogs[0].find("yytext overflow (limit is 255 characters)"), std::string::npos);
}

// The parser's stacks grow as a parse goes deeper: "&" shifts, so a long
// joined text holds every piece on the stack at once, well past the first
// room of 64 entries, and each piece's text must survive the growing.
TEST(CommandParseLimits, DeepParsesKeepTheirValuesAsTheStacksGrow) {
  testing::RecordingUi ui;
  std::string joined = "w0", expected = "w0", value = "w0";
  for (int i = 1; i < 50; ++i) {
    joined += "&w" + std::to_string(i % 10);
    expected += " & w" + std::to_string(i % 10);
    value += "w" + std::to_string(i % 10);
  }
  auto list = TTolmYacc().Parse("p " + joined + "\n/if " + joined + " eq x {\n/plist\n}\n", "t.tm");
  ASSERT_EQ(list->Top().size(), 2u);
  EXPECT_EQ(list->Top()[0].args[1], expected);
  EXPECT_EQ(list->Top()[1].condition, expected + " EQ x");
  EXPECT_EQ(EvaluateExpression(joined), value);
  EXPECT_TRUE(ui.dialogs.empty());
}

}  // namespace
}  // namespace tolm
