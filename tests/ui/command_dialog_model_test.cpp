#include "ui/core/command_dialog_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/scripted_user.h"

namespace tolm {
namespace {

using testing::ScriptedUser;

// What ProgChange makes of the argument captions and the options.
struct ProgCase {
  std::string prog;
  std::string label3, label2;
  bool label3Visible, label2Visible, argsVisible;
  bool optionsEnabled;
};

TEST(CommandDialog, ProgChangeFitsCaptionsAndOptionsToTheCommandWord) {
  const ProgCase cases[] = {
      {"", "Command", "Arguments", true, true, true, true},
      {"notepad.exe", "Command", "Arguments", true, true, true, true},
      {"@x.tm", "Command", "Arguments", true, true, true, true},
      {"\"/usr/bin/x\"", "Command", "Arguments", true, true, true, true},
      {"@", "Command", "filename", true, true, true, false},
      {"/if", "Condition", "expression", true, true, true, false},
      {"/IF", "Condition", "expression", true, true, true, false},
      {"/while", "Condition", "expression", true, true, true, false},
      {"/cd", "Directory", "pathname", true, true, true, false},
      {"/activate", "Window", "name", true, true, true, false},
      {"/edit", ".tm file", "pathname", true, true, true, false},
      {"/kill", "Program", "name", true, true, true, false},
      {"/pause", "Message", "text", true, true, true, false},
      {"/sendkeys", "Keystrokes", "to send", true, true, true, false},
      {"/set", "variable", "= value", true, true, true, false},
      {"/sleep", "Seconds", "to sleep", true, true, true, false},
      {"/do", "", "", false, false, false, false},
      {"/else", "", "", false, false, false, false},
      {"/plist", "", "", false, false, false, false},
      {"/waitall", "", "", false, false, false, false},
      {"/wlist", "", "", false, false, false, false},
      {"/hide", "Command", "Arguments", true, true, true, false},
      {"/usr/bin/x", "Command", "Arguments", true, true, true, false},
      {"/", "Command", "Arguments", true, true, true, false},
      {";", "Comment", "Text", true, true, true, false},
      {"#x", "Comment", "Text", true, true, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.prog);
    CommandDialogModel d;
    d.SetProg("/do");  // start from hidden captions and disabled options
    d.SetProg(c.prog);
    EXPECT_EQ(d.Label3, c.label3);
    EXPECT_EQ(d.Label2, c.label2);
    EXPECT_EQ((std::vector<bool>{d.Label3Visible, d.Label2Visible, d.ArgsVisible, d.OptionsEnabled}),
              (std::vector<bool>{c.label3Visible, c.label2Visible, c.argsVisible, c.optionsEnabled}));
  }
}

TEST(CommandDialog, TheDialogOpensWithCommandAndArguments) {
  CommandDialogModel d;
  EXPECT_EQ(std::string(kCommandDialogCaption), "Enter command line and options");
  EXPECT_EQ(d.Label3, "Command");
  EXPECT_EQ(d.Label2, "Arguments");
  EXPECT_TRUE(d.OptionsEnabled);
  EXPECT_EQ(d.WindowMode, WindowModeOption::Normal);
}

TEST(CommandDialog, DropDownListsTheCommandWordsAndErasesWhatWasTyped) {
  CommandDialogModel d;
  d.SetProg("notepad.exe");
  d.ProgItems = {"old"};
  d.ProgDropDown();
  EXPECT_EQ(d.Prog, "");
  EXPECT_EQ(d.ProgItems,
            (std::vector<std::string>{"", ";", "#", "@", "/activate", "/cd", "/close", "/do", "/edit", "/else", "/if",
                                      "/kill", "/killwindow", "/pause", "/plist", "/sendkeys", "/set", "/sleep",
                                      "/waitall", "/waitclose", "/waitfor", "/while", "/wlist"}));
}

TEST(CommandDialog, OkChecksInternalCommandsAndCommandFileCallsOnly) {
  const struct {
    std::string prog, args;
    bool closes;
    bool report;
  } cases[] = {
      {"notepad.exe", "a*b", true, false},  // program lines are not checked
      {";", "anything } {", true, false},
      {"#", "", true, false},
      {"", "", true, false},
      {"}", "", true, false},
      {"/cd", "\"/tmp\"", true, false},
      {"/waitall", "", true, false},
      {"@", "\"x.tm\"", true, false},
      {"/if", "a eq b {", false, true},
      {"/cd", "/tmp", true, false},  // an absolute path begins the text
      {"/waitall", "x", false, true},
      {"/nosuch", "", false, true},
      {"@", "", false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.prog + " " + c.args);
    ScriptedUser user;
    CommandDialogModel d;
    d.Prog = c.prog;
    d.Args = c.args;
    EXPECT_EQ(d.btnOkClick(), c.closes);
    EXPECT_EQ(user.infoDialogs.size(), c.report ? 1u : 0u);
  }
}

TEST(CommandDialog, TheRejectedCheckShowsTheParseReportUnderArgs) {
  ScriptedUser user;
  CommandDialogModel d;
  d.Prog = "/waitall";
  d.Args = "x";
  EXPECT_FALSE(d.btnOkClick());
  EXPECT_EQ(user.infoDialogs,
            std::vector<std::string>{
                "Parse Output: \r\n\r\nParse Errors: \r\nLine 1 Col 11 in file \"ARGS\"\r\nsyntax error at x\r\n"});
}

TEST(CommandDialog, BrowseSetsProgToTheChosenProgram) {
  const struct {
    std::optional<std::string> chosen;
    std::string prog;
    bool optionsEnabled;
  } cases[] = {
      {"/usr/bin/xterm", "\"/usr/bin/xterm\"", true},
      {"relative/x", "relative/x", true},
      {std::nullopt, "/if", false},
  };
  for (const auto& c : cases) {
    ScriptedUser user;
    user.openNames.push_back(c.chosen);
    CommandDialogModel d;
    d.SetProg("/if");
    d.btnBrowseClick(user);
    EXPECT_EQ(d.Prog, c.prog);
    EXPECT_EQ(d.OptionsEnabled, c.optionsEnabled);
    FileDialogRequest expected;
    expected.filter = "Executables (*.exe;*.com;*.bat)|*.exe;*.com;*.bat|All Files (*.*)|*.*";
    expected.readOnly = expected.pathMustExist = expected.fileMustExist = expected.shareAware = true;
    EXPECT_EQ(user.openRequests, std::vector<FileDialogRequest>{expected});
  }
}

}  // namespace
}  // namespace tolm
