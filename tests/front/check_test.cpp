// Checking a text: the same reports as a parse, nothing kept.
#include <gtest/gtest.h>

#include "front/command_parser.h"
#include "services/core/errors.h"
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

// A check builds no values, so whatever a parse shows must come from the
// traces and reports alone: the dialogs of both agree for every text, with
// tracing off and on.
TEST(Check, ShowsWhatParseShowsForEveryKindOfText) {
  const std::string texts[] = {
      "/activate\n",
      "/if a eq b {\n  /sleep\n} /else {\n  c d\n}\n",
      "/do {\n  x\n} /while env(A) ne \"1\"\n",
      "/set =\n/set a=b & (c\nnotepad /min /max x y\n",
      "{ a }\n{ /plist\n",
      "/* open",
      "a\n" + std::string(260, 'w') + "\n",
      "/edit\n@ f.tm x\n/pause p(q) + r - s\n/wait x\n",
  };
  for (bool trace : {false, true}) {
    ScopedLexTrace tracing(trace);
    for (const std::string& text : texts) {
      RecordingUi checked;
      TTolmYacc().Check(text, "f.tm");
      std::vector<std::string> parsedDialogs;
      {
        RecordingUi parsed;
        try {
          TTolmYacc().Parse(text, "f.tm");
        } catch (const EScriptError&) {
        }
        parsedDialogs = parsed.dialogs;
      }
      EXPECT_EQ(checked.dialogs, parsedDialogs) << text << (trace ? " (traced)" : "");
    }
  }
}

}  // namespace
}  // namespace tolm::testing
