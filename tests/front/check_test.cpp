// Checking a text: the same reports as a parse, nothing kept.
#include <gtest/gtest.h>

#include "front/command_parser.h"
#include "services/errors.h"
#include "recording_ui.h"

namespace tolm::testing {
namespace {

TEST(Check, ReportsWhatParseReportsAndRaisesNothing) {
  const std::string text = "/plist\n/activate\nnotepad x /min\n";
  RecordingUi checked;
  EXPECT_FALSE(TTolmYacc().Check(text, "f.tm"));
  ASSERT_EQ(checked.dialogs.size(), 1u);
  std::string parsedReport;
  {
    RecordingUi parsed;
    EXPECT_THROW(TTolmYacc().Parse(text, "f.tm"), EScriptError);
    ASSERT_EQ(parsed.dialogs.size(), 1u);
    parsedReport = parsed.dialogs[0];
  }
  EXPECT_EQ(checked.dialogs[0], parsedReport);
  EXPECT_EQ(parsedReport, ParseReport("", "Line 3 Col 1 in file \"f.tm\"\r\nstring expected at \n\r\n"
                                          "Line 3 Col 15 in file \"f.tm\"\r\nsyntax error at /min\r\n"));
}

TEST(Check, AcceptsGoodTextsSilently) {
  RecordingUi ui;
  EXPECT_TRUE(TTolmYacc().Check("/if a {\n  b\n} /else {\n  c\n}\n/do {\n} /while 0\n", "f.tm"));
  EXPECT_TRUE(TTolmYacc().Check("", "f.tm"));
  EXPECT_TRUE(ui.dialogs.empty());
}

}  // namespace
}  // namespace tolm::testing
