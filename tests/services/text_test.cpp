#include "services/core/text.h"

#include <gtest/gtest.h>

#include "services/seams/app_title.h"
#include "services/core/errors.h"

namespace tolm {
namespace {

TEST(TrimBlanks, DropsBlankSetsAtEachEnd) {
  EXPECT_EQ(TrimBlanks(" \t\r\n x y \n\r\t"), "x y");
  EXPECT_EQ(TrimBlanks(" \t\r\n"), "");
  // A NUL counts as blank only at the end.
  EXPECT_EQ(TrimBlanks(std::string("\0a", 2)), std::string("\0a", 2));
  EXPECT_EQ(TrimBlanks(std::string("a\0", 2)), "a");
  EXPECT_EQ(TrimBlanks(std::string(300, 'x') + " "), std::string(300, 'x'));
}

TEST(ReplaceAll, NeverSearchesTheReplacementAgain) {
  struct Case {
    const char *text, *find, *replacement, *expected;
  } cases[] = {
      {"abab", "ab", "", ""},        {"aaa", "a", "aa", "aaaaaa"}, {"xyz", "", "q", "xyz"},
      {"", "a", "b", ""},            {"\"a b\"", "\"", "", "a b"}, {"abcabc", "bc", "X", "aXaX"},
      {"aaaa", "aa", "a", "aa"},
  };
  for (const Case& c : cases) EXPECT_EQ(ReplaceAll(c.text, c.find, c.replacement), c.expected) << c.text;
}

TEST(CommandTail, FollowsTheRawCommandLineRules) {
  struct Case {
    const char *line, *tail;
  } cases[] = {
      {"\"C:\\Tools\\prog.exe\" \"my file.tm\"", "my file.tm"},
      {"prog.exe /edit", "/edit"},
      {"prog.exe   x.tm", "x.tm"},
      {"\"C:\\Tools\\prog.exe\"", ""},
      {"prog.exe \"a b.tm\" x", "a b.tm\""},
      {"prog.exe  \"a b.tm\"", "\"a b.tm\""},
  };
  for (const Case& c : cases) EXPECT_EQ(CommandTail(std::string_view(c.line)), c.tail) << c.line;
}

TEST(CommandTail, RebuildsTheLineFromSplitArguments) {
  const char* quotedFile[] = {"tolm32", "my file.tm"};
  EXPECT_EQ(CommandTail(2, quotedFile), "my file.tm");
  const char* oneWord[] = {"tolm32", "/pause \"A B\""};
  EXPECT_EQ(CommandTail(2, oneWord), "/pause \"A B\"");
  const char* twoWords[] = {"tolm32", "/pause", "\"A B\""};
  EXPECT_EQ(CommandTail(3, twoWords), "/pause \"A B\"");
  const char* spacedProgram[] = {"/opt/my tools/tolm32", "x.tm"};
  EXPECT_EQ(CommandTail(2, spacedProgram), "x.tm");
  const char* none[] = {"tolm32"};
  EXPECT_EQ(CommandTail(1, none), "");
}

TEST(SplitFirstWord, QuotedFirstWordRunsToTheBlankAfterItsClosingQuote) {
  FirstWord w = SplitFirstWord("\"a b\"c d e", false, '"', '"');
  EXPECT_EQ(w.first, "\"a b\"c");
  EXPECT_EQ(w.rest, "d e");
  w = SplitFirstWord("\"unclosed word", false, '"', '"');
  EXPECT_EQ(w.first, "\"unclosed");
  EXPECT_EQ(w.rest, "word");
  w = SplitFirstWord("single", true, '"', '"');
  EXPECT_EQ(w.first, "single");
  EXPECT_EQ(w.rest, "");
}

TEST(PathHelpers, StripDirectoryAfterLastBlankAndExtension) {
  EXPECT_EQ(StripDirectory("C:\\a\\b.tm"), "b.tm");
  EXPECT_EQ(StripDirectory("a/b\\c"), "c");
  EXPECT_EQ(StripDirectory("/home/u/x.tm"), "x.tm");
  EXPECT_EQ(StripDirectory("c:\\dir\\"), "");
  EXPECT_EQ(StripDirectory("x"), "x");
  EXPECT_EQ(AfterLastBlank("Command File Editor"), "Editor");
  EXPECT_EQ(AfterLastBlank("word"), "word");
  EXPECT_EQ(AfterLastBlank("ends "), "");
  EXPECT_EQ(FileExtension("a.tm b"), ".tm b");
  EXPECT_EQ(FileExtension("c:\\dir.x\\file"), "");
  EXPECT_EQ(FileExtension("dir.x/file"), "");
  EXPECT_EQ(FileExtension("SCRIPT.TM"), ".TM");
  EXPECT_EQ(FileExtension("noext"), "");
}

TEST(ValNumber, ReadsTheLeadingNumberLeniently) {
  struct Case {
    const char* text;
    int32_t value;
  } cases[] = {
      {"5", 5},       {" 12abc", 12},     {"-3", -3},         {"$1F", 31},          {"abc", 0},
      {"", 0},        {"0x10", 16},       {"X1f", 31},        {"+7", 7},            {"-", 0},
      {"99999999999", 2147483647},        {"-99999999999", -2147483647 - 1},       {"$FFFFFFFF", -1},
  };
  for (const Case& c : cases) EXPECT_EQ(ValNumber(c.text), c.value) << c.text;
}

TEST(StrToInt, AcceptsOnlyAWholeSigned32BitNumber) {
  struct Good {
    const char* text;
    int32_t value;
  } good[] = {{"0", 0},       {"  42", 42},          {"-2147483648", -2147483647 - 1},
              {"+12", 12},    {"$7FFFFFFF", 2147483647}, {"0xFFFFFFFF", -1}, {"007", 7}};
  for (const Good& g : good) EXPECT_EQ(StrToInt(g.text), g.value) << g.text;
  for (const char* bad : {"", " ", "12 ", "1.5", "abc", "2147483648", "$100000000", "0x", "--1", "1e3"}) {
    try {
      StrToInt(bad);
      ADD_FAILURE() << "accepted '" << bad << "'";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), "'" + std::string(bad) + "' is not a valid integer value");
    }
  }
}

TEST(CheckedArithmetic, ReportsIntegerOverflow) {
  EXPECT_EQ(CheckedAdd(2147483646, 1), 2147483647);
  EXPECT_EQ(CheckedSub(1, 2), -1);
  for (auto op : {+[] { CheckedAdd(2147483647, 1); }, +[] { CheckedSub(-2147483647 - 1, 1); },
                  +[] { CheckedMul(3000000, 1000); }}) {
    try {
      op();
      ADD_FAILURE() << "no overflow reported";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), "Integer overflow");
    }
  }
}

TEST(ProcessMatchName, IsTheUpperCaseBareFileName) {
  EXPECT_EQ(ProcessMatchName("/usr/bin/gedit"), "GEDIT");
  EXPECT_EQ(ProcessMatchName("C:\\WIN\\notepad.exe"), "NOTEPAD.EXE");
  EXPECT_EQ(ProcessMatchName(""), "");
}

TEST(ApplicationTitle, RaiseScriptErrorKeepsOnlyTheTitleWord) {
  SetApplicationTitle("tolm32");
  SetTitleFor("/sleep 5");
  EXPECT_EQ(ApplicationTitle(), "/sleep 5 - tolm32");
  SetTitleFor("notepad x");
  EXPECT_EQ(ApplicationTitle(), "notepad x - tolm32");
  try {
    RaiseScriptError("boom");
  } catch (const EScriptError& e) {
    EXPECT_EQ(e.Message(), "boom");
  }
  EXPECT_EQ(ApplicationTitle(), "tolm32");
}

}  // namespace
}  // namespace tolm
