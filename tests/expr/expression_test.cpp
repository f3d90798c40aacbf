#include "expr/evaluator.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "front/recording_ui.h"
#include "services/core/errors.h"
#include "services/seams/exit_status.h"

namespace tolm {
namespace {

// The value, or the message of the failure.
std::string Eval(std::string_view text) {
  try {
    return EvaluateExpression(text);
  } catch (const Exception& e) {
    return "failed: " + e.Message();
  }
}

class ExpressionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TOLM_TEST_SET", "value of it", 1);
    unsetenv("TOLM_TEST_UNSET");
    LastExitCode = 3;
  }
  testing::RecordingUi ui;
};

TEST_F(ExpressionTest, Values) {
  const struct {
    const char* text;
    const char* value;
  } cases[] = {
      {"abc", "abc"},
      {"abc\n", "abc"},
      {"abc\r\n", "abc"},
      {"abc def", "abcdef"},
      {"x eq x y", "1y"},
      {"12ab", "12ab"},
      {"\"a b\" & c", "a bc"},
      {"\"\"", ""},
      {"1 + 2", "3"},
      {"1 + 2 & 3", "24"},
      {"007 + 0", "7"},
      {"1 - 2 - 3", "-4"},
      {"\"$10\" + \"x10\"", "32"},
      {"0 - 2147483647 - 1", "-2147483648"},
      {"a b & c", "abc"},
      {"5 lt 10", "0"},
      {"10 lt 9", "1"},
      {"2 gt 10", "1"},
      {"007 eq 7", "0"},
      {"abc eq ABC", "0"},
      {"abc ne ABC", "1"},
      {"ab lt abc", "1"},
      {"\"\xe9\" gt z", "1"},
      {"a & b eq ab", "1"},
      {"errorlevel()", "3"},
      {"ERRORLEVEL()", "3"},
      {"env(TOLM_TEST_SET)", "value of it"},
      {"env(\"TOLM_TEST_SET\")", "value of it"},
      {"Env(TOLM_TEST_ & SET)", "value of it"},
      {"env(TOLM_TEST_UNSET) eq \"\"", "1"},
      {"c:\\temp\\my.file,1", "c:\\temp\\my.file,1"},
      {"/min /* note */ x", "/minx"},
      {"a\n\nb", "ab"},
  };
  for (const auto& c : cases) EXPECT_EQ(Eval(c.text), c.value) << c.text;
  EXPECT_TRUE(ui.dialogs.empty());
}

TEST_F(ExpressionTest, Failures) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"errorlevel", "failed: Bad Expression: syntax error at \n"},
      {"env()", "failed: Bad Expression: string expected at )"},
      {"a + 1", "failed: 'a' is not a valid integer value"},
      {"1 + \"\"", "failed: '' is not a valid integer value"},
      {"2147483647 + 1", "failed: Integer overflow"},
      {"eq 1", "failed: Bad Expression: string expected at eq"},
      {"a eq", "failed: Bad Expression: string expected at \n"},
      {"a eq b eq c", "failed: Bad Expression: syntax error at eq"},
      {"(a)", "failed: Bad Expression: syntax error at ("},
      {"\nabc", "failed: Bad Expression: string expected at \n"},
      {"", "failed: Bad Expression: string expected at "},
      {"a & & b", "failed: Bad Expression: string expected at &"},
      {"a = b", "failed: Bad Expression: syntax error at ="},
      {"_x", "failed: Bad Expression: syntax error at _"},
      {"\"open", "failed: Bad Expression: syntax error at \""},
      {"env x", "failed: Bad Expression: syntax error at x"},
      {"errorlevel(1)", "failed: Bad Expression: syntax error at 1"},
      {"/* open", "failed: Bad Expression: string expected at "},
  };
  for (const auto& c : cases) EXPECT_EQ(Eval(c.text), c.message) << c.text;
  EXPECT_TRUE(ui.dialogs.empty());
}

TEST_F(ExpressionTest, WhereTheEmptyOperandIsChosen) {
  // "string expected" for these next tokens, "syntax error" for others.
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"& a", "string expected at &"},   {"+ 1", "string expected at +"},
      {"lt a", "string expected at lt"}, {"a &", "string expected at \n"},
      {"a & )", "string expected at )"}, {"a & eq", "string expected at eq"},
      {"a eq &", "string expected at &"}, {"a eq )", "syntax error at )"},
      {"env(&)", "string expected at &"}, {"env(eq)", "syntax error at eq"},
      {") a", "syntax error at )"},      {"a ) b", "syntax error at )"},
  };
  for (const auto& c : cases) EXPECT_EQ(Eval(c.text), std::string("failed: Bad Expression: ") + c.message) << c.text;
}

TEST_F(ExpressionTest, ExitCodeIsWrittenUnsigned) {
  LastExitCode = 0xFFFFFFFFu;
  EXPECT_EQ(Eval("errorlevel()"), "4294967295");
}

TEST_F(ExpressionTest, JoinedTextsAreCutButTopLevelTextIsNot) {
  const std::string a(200, 'a'), b(200, 'b');
  EXPECT_EQ(Eval("\"" + a + "\" & \"" + b + "\""), (a + b).substr(0, 255));
  EXPECT_EQ(Eval("\"" + a + "\" \"" + b + "\""), a + b);
}

TEST_F(ExpressionTest, EnvironmentNamesAndValuesAreLimited) {
  const std::string name(254, 'N');
  setenv(name.c_str(), "long name", 1);
  // A 255-character name loses its last character.
  EXPECT_EQ(Eval("env(" + name.substr(0, 200) + " & " + name.substr(200) + "X)"), "long name");
  setenv("TOLM_TEST_LONG", std::string(300, 'v').c_str(), 1);
  EXPECT_EQ(Eval("env(TOLM_TEST_LONG)"), std::string(255, 'v'));
  unsetenv(name.c_str());
}

TEST_F(ExpressionTest, UnterminatedCommentAfterAValueShowsTheReport) {
  EXPECT_EQ(Eval("abc /* open"), "failed: parse error");
  ASSERT_EQ(ui.dialogs.size(), 1u);
  EXPECT_EQ(ui.dialogs[0], testing::ParseReport("", "unexpected EOF inside comment at line 1\r\n"));
}

TEST_F(ExpressionTest, LongAmpersandChainOverflowsTheStack) {
  // A string holding a line feed carries the chain over the 2047-character
  // line limit.
  std::string text = "a";
  for (int i = 0; i < 600; ++i) text += "&a";
  text += "&\"\n\"";
  for (int i = 0; i < 600; ++i) text += "&a";
  EXPECT_EQ(Eval(text), "failed: Bad Expression: yyparse stack overflow at &");
  EXPECT_EQ(Eval("a & b"), "ab");  // the evaluator is usable again
}

TEST_F(ExpressionTest, ScannerLimitsEndTheEvaluationWithAReport) {
  const std::string word254(254, 'w'), word255(255, 'w');
  EXPECT_EQ(Eval(word254), word254);
  EXPECT_EQ(Eval(word255), "failed: Bad Expression: yytext overflow (limit is 255 characters) at " + word255);
  const std::string quoted253 = "\"" + std::string(253, 'q') + "\"";
  EXPECT_EQ(Eval(quoted253), std::string(253, 'q'));
  const std::string quoted254 = "\"" + std::string(254, 'q') + "\"";
  EXPECT_EQ(Eval(quoted254), "failed: Bad Expression: yytext overflow (limit is 255 characters) at " +
                                 quoted254.substr(0, 255));
}

TEST_F(ExpressionTest, LineLongerThanTheInputBufferIsReportedWithTheLimit) {
  std::string line;
  for (int i = 0; i < 1023; ++i) line += "a ";
  EXPECT_EQ(Eval(line + "a"), std::string(1024, 'a'));
  EXPECT_EQ(Eval(std::string(2048, ' ')), "failed: Bad Expression: line too long (limit is 2047 characters) at ");
}

}  // namespace
}  // namespace tolm
