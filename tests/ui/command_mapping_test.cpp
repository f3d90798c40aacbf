#include "ui/core/command_mapping.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/scripted_user.h"

namespace tolm {
namespace {

using testing::ScriptedCommandDialog;
using testing::ScriptedUser;
using W = WindowModeOption;

const std::string kQ = "\"";

// What the dialog shows for a line, and the line accepting it unchanged gives.
struct LineCase {
  std::string line;
  std::string prog, args;
  bool wait, warn, ignore;
  WindowModeOption mode;
  std::string acceptedUnchanged;
  bool parseReport;  // the parser showed its errors
};

TEST(CommandMapping, LinesShowInTheDialogAndComeBackWhenAccepted) {
  const LineCase cases[] = {
      {"notepad.exe /wait readme.txt", "notepad.exe", kQ + "readme.txt" + kQ, true, false, false, W::Normal,
       "notepad.exe/wait " + kQ + "readme.txt" + kQ, false},
      {"notepad.exe /hide /min", "notepad.exe", "", false, false, false, W::Minimized, "notepad.exe/min ", false},
      {"p /min /hide", "p", "", false, false, false, W::Minimized, "p/min ", false},
      {"p /max /noactivate /hide", "p", "", false, false, false, W::Maximized, "p/max ", false},
      {"p /noactivate /ignore /warn a b c", "p", kQ + "a" + kQ + " " + kQ + "b" + kQ + " " + kQ + "c" + kQ, false,
       true, true, W::NoActivate, "p/noactivate/ignore/warn " + kQ + "a" + kQ + " " + kQ + "b" + kQ + " " + kQ + "c" + kQ,
       false},
      {"p \"x y\"", "p", kQ + kQ + "x y" + kQ + kQ, false, false, false, W::Normal, "p " + kQ + kQ + "x y" + kQ + kQ,
       false},
      {"   ", "", "", false, false, false, W::Normal, "", false},
      {"", "", "", false, false, false, W::Normal, "", false},
      // A comment parses to nothing and is kept whole as the command word.
      {";note", ";note", "", false, false, false, W::Normal, ";note ", false},
      // A lone closing brace does not parse; accepted, it is a program line.
      {"}", "}", "", false, false, false, W::Normal, "} ", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    ScriptedUser user;
    Tcmdrec record;
    CmdRecFromLine(record, c.line);
    EXPECT_EQ(user.infoDialogs.size(), c.parseReport ? 1u : 0u);
    ScriptedCommandDialog dialog;
    dialog.Accept();
    ASSERT_TRUE(EditCmdRec(record, dialog));
    const CommandDialogModel& shown = dialog.shown.at(0);
    EXPECT_EQ(shown.Prog, c.prog);
    EXPECT_EQ(shown.Args, c.args);
    EXPECT_EQ((std::vector<bool>{shown.WaitOpt, shown.WarnOpt, shown.IgnoreOpt}),
              (std::vector<bool>{c.wait, c.warn, c.ignore}));
    EXPECT_EQ(shown.WindowMode, c.mode);
    EXPECT_EQ(record.code, kCmdProgram);
    EXPECT_EQ(record.args, std::vector<std::string>{c.acceptedUnchanged});
  }
}

TEST(CommandMapping, ParsedLinesFillTheRecordAndTheDialog) {
  const struct {
    std::string line;
    int32_t code;
    std::vector<std::string> args;
    std::string prog, dialogArgs;
  } cases[] = {
      {"  /cd \"/tmp\"  ", kCmdCd, {"/cd", "\"/tmp\""}, "/cd", kQ + kQ + "/tmp" + kQ + kQ},
      {"/set v = a & b", kCmdSet, {"/set", "v", "a & b"}, "/set", kQ + "v" + kQ + " " + kQ + "a & b" + kQ},
      {"@\"x.tm\"", kCmdAt, {"@", "\"x.tm\""}, "@", kQ + kQ + "x.tm" + kQ + kQ},
      {"/pause hello world", kCmdPause, {"/pause", "hello world"}, "/pause", kQ + "hello world" + kQ},
      {"/waitall", kCmdWaitAll, {"/waitall"}, "/waitall", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    ScriptedUser user;
    Tcmdrec record;
    CmdRecFromLine(record, c.line);
    EXPECT_EQ(record.code, c.code);
    EXPECT_EQ(record.args, c.args);
    CommandDialogModel d;
    ShowRecordInDialog(record, d);
    EXPECT_EQ(d.Prog, c.prog);
    EXPECT_EQ(d.Args, c.dialogArgs);
    EXPECT_TRUE(user.infoDialogs.empty());
  }
}

TEST(CommandMapping, ALineThatDoesNotParseShowsTheReportAndStaysWhole) {
  ScriptedUser user;
  Tcmdrec record;
  record.options = {kOptWait};
  CmdRecFromLine(record, "/if a eq b {");
  EXPECT_EQ(record.code, kCmdProgram);
  EXPECT_EQ(record.args, std::vector<std::string>{"/if a eq b {"});
  EXPECT_TRUE(record.options.empty());
  ASSERT_EQ(user.infoDialogs.size(), 1u);
  EXPECT_EQ(user.infoDialogs[0].rfind("Parse Output: \r\n", 0), 0u) << user.infoDialogs[0];
}

// The dialog's fields as the user leaves them, and the line they give.
struct DialogCase {
  std::string prog, args;
  bool wait, warn, ignore;
  WindowModeOption mode;
  std::string line;
  std::vector<int32_t> options;
};

TEST(CommandMapping, AcceptedDialogsComposeTheirLine) {
  const DialogCase cases[] = {
      {"notepad.exe", "readme.txt", true, false, false, W::Hidden, "notepad.exe/hide/wait readme.txt",
       {kOptWait, kOptHide}},
      {"c:\\my tools\\x.exe", "", false, false, false, W::Normal, kQ + "c:\\my tools\\x.exe" + kQ + " ", {}},
      {kQ + "c:\\my tools\\x.exe" + kQ, "a", false, false, false, W::Normal, kQ + "c:\\my tools\\x.exe" + kQ + " a",
       {}},
      {"p", "", true, true, true, W::Maximized, "p/max/ignore/warn/wait ", {kOptWait, kOptWarn, kOptIgnore, kOptMax}},
      {"p", "x", false, false, false, W::NoActivate, "p/noactivate x", {kOptNoActivate}},
      {"p", "x", false, false, false, W::Minimized, "p/min x", {kOptMin}},
      // Disabled controls count with the state they show.
      {"/cd", "/tmp", true, false, false, W::Normal, "/cd/wait /tmp", {kOptWait}},
      {";", "note", true, false, false, W::Hidden, ";note", {}},
      {";", "", false, false, false, W::Normal, ";", {}},
      {"#", " x", false, false, false, W::Normal, "# x", {}},
      {"#x", "y", false, false, false, W::Normal, "#x y", {}},
      {"@", kQ + "x.tm" + kQ, true, false, false, W::Normal, "@" + kQ + "x.tm" + kQ, {}},
      {"@x.tm", "", false, false, false, W::Normal, "@x.tm ", {}},
      // Without a command word the line is the argument text as typed.
      {"", "abc", true, false, false, W::Normal, "abc", {}},
      {"", "", false, false, false, W::Normal, "", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.prog + "|" + c.args);
    CommandDialogModel d;
    d.Prog = c.prog;
    d.Args = c.args;
    d.WaitOpt = c.wait;
    d.WarnOpt = c.warn;
    d.IgnoreOpt = c.ignore;
    d.WindowMode = c.mode;
    Tcmdrec record;
    EXPECT_EQ(LineFromDialog(d, record), c.line);
    EXPECT_EQ(record.options, c.options);
  }
}

TEST(CommandMapping, ACancelledDialogLeavesTheRecordAsItWas) {
  ScriptedUser user;
  Tcmdrec record;
  CmdRecFromLine(record, "notepad.exe /wait readme.txt");
  ScriptedCommandDialog dialog;
  dialog.steps.push_back([](CommandDialogModel& d) {
    d.SetProg("other.exe");
    return false;
  });
  EXPECT_FALSE(EditCmdRec(record, dialog));
  EXPECT_EQ(record.args, (std::vector<std::string>{"notepad.exe", "readme.txt"}));
  EXPECT_EQ(record.options, std::vector<int32_t>{kOptWait});
}

TEST(CommandMapping, AnInternalCommandThatDoesNotParseCannotBeAccepted) {
  ScriptedUser user;
  Tcmdrec record;
  CmdRecFromLine(record, "/if a eq b {");
  ASSERT_EQ(user.infoDialogs.size(), 1u);
  ScriptedCommandDialog dialog;
  dialog.Accept();
  EXPECT_FALSE(EditCmdRec(record, dialog));
  EXPECT_EQ(dialog.refusedOks, 1);
  EXPECT_EQ(user.infoDialogs.size(), 2u);  // the check showed the report again
  EXPECT_EQ(record.args, std::vector<std::string>{"/if a eq b {"});
}

// Lines longer than the parser's 255-character texts are edited whole:
// accepting them unchanged gives the same line back.
TEST(CommandMapping, LongLinesComeBackWholeWhenAcceptedUnchanged) {
  std::string manyArgs = "prog";
  for (int i = 0; i < 60; ++i) manyArgs += " a" + std::to_string(i);
  std::string joined = "/set v = w0";
  for (int i = 1; i < 60; ++i) joined += " & w" + std::to_string(i);
  const struct {
    std::string line;
    std::string prog;
  } cases[] = {
      {"; " + std::string(300, 'c'), ";"},
      {"#" + std::string(300, 'c'), "#"},
      {"prog " + std::string(300, 'w') + "  tail", "prog"},
      {"\"c:\\my dir\\p.exe\" " + std::string(300, 'w'), "\"c:\\my dir\\p.exe\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line.substr(0, 30));
    ScriptedUser user;
    Tcmdrec record;
    CmdRecFromLine(record, c.line);
    ScriptedCommandDialog dialog;
    dialog.Accept();
    ASSERT_TRUE(EditCmdRec(record, dialog));
    EXPECT_EQ(dialog.shown.at(0).Prog, c.prog);
    EXPECT_EQ(record.args, std::vector<std::string>{c.line});
  }
  {
    // A joined text beyond the limit is an error of the line itself: the
    // line stays whole in the list, and the dialog's check refuses it.
    ScriptedUser user;
    Tcmdrec record;
    CmdRecFromLine(record, joined);
    EXPECT_EQ(record.args, std::vector<std::string>{joined});
    ScriptedCommandDialog dialog;
    dialog.Accept();
    EXPECT_FALSE(EditCmdRec(record, dialog));
    ASSERT_FALSE(user.infoDialogs.empty());
    EXPECT_NE(user.infoDialogs.back().find("text too long (limit is 255 characters)"), std::string::npos);
  }
  // A long line of short texts parses as usual.
  ScriptedUser user;
  Tcmdrec record;
  CmdRecFromLine(record, manyArgs);
  EXPECT_EQ(record.args.size(), 61u);
  EXPECT_TRUE(user.infoDialogs.empty());
}

}  // namespace
}  // namespace tolm
