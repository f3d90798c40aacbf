// The command dialog as a Windows dialog: a record shown in its controls,
// the captions and options that follow the command word typed or picked,
// the drop-down list, and the line composed on OK.
#include <gtest/gtest.h>

#include "ui/core/command_mapping.h"
#include "ui/scripted_user.h"
#include "ui/win32/command_dialog.h"
#include "ui/win32/resource.h"
#include "ui/win32/win32_text.h"
#include "win32/modal_driver.h"

namespace tolm::testing {
namespace {

bool Checked(HWND d, int id) { return IsDlgButtonChecked(d, id) == BST_CHECKED; }
bool Shown(HWND d, int id) { return IsWindowVisible(GetDlgItem(d, id)) != FALSE; }
bool Enabled(HWND d, int id) { return IsWindowEnabled(GetDlgItem(d, id)) != FALSE; }

// Typing in the combo box: its text changes and it tells the dialog.
void TypeProg(HWND d, const char* text) {
  SetDlgItemTextA(d, IDC_Prog, text);
  SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_Prog, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(d, IDC_Prog)));
}

class Win32CommandDialogTest : public ::testing::Test {
 protected:
  // Edits line in the dialog, driven by step; the line after OK, or nothing.
  std::optional<std::string> EditLine(const std::string& line, ModalDriver::Step step) {
    ModalDriver driver({std::move(step)});
    Tcmdrec record;
    CmdRecFromLine(record, line);
    bool accepted = EditCmdRec(record, host_);
    EXPECT_EQ(driver.titles, std::vector<std::string>{"Enter command line and options"});
    if (!accepted) return std::nullopt;
    return record.args.at(0);
  }

  ScriptedUser user_;
  Win32CommandDialogHost host_{user_};
};

TEST_F(Win32CommandDialogTest, ShowsTheRecordAndGivesItBackUnchangedOnOk) {
  auto line = EditLine("notepad.exe /wait readme.txt", [](HWND d) {
    EXPECT_EQ(DialogItemText(d, IDC_Prog), "notepad.exe");
    EXPECT_EQ(DialogItemText(d, IDC_Args), "\"readme.txt\"");
    EXPECT_TRUE(Checked(d, IDC_WaitOpt));
    EXPECT_TRUE(Checked(d, IDC_NormalOpt));
    EXPECT_EQ(DialogItemText(d, IDC_Label3), "Command");
    EXPECT_EQ(DialogItemText(d, IDC_Label2), "Arguments");
    Click(d, IDC_btnOk);
  });
  EXPECT_EQ(line, "notepad.exe/wait \"readme.txt\"");
}

TEST_F(Win32CommandDialogTest, HiddenAndMinimizedOpensWithMinimizedAndCancelKeepsTheRecord) {
  auto line = EditLine("notepad.exe /hide /min", [](HWND d) {
    EXPECT_TRUE(Checked(d, IDC_MinOpt));
    EXPECT_FALSE(Checked(d, IDC_HideOpt));
    EXPECT_FALSE(Checked(d, IDC_NormalOpt));
    Click(d, IDC_btnCancel);
  });
  EXPECT_EQ(line, std::nullopt);
}

TEST_F(Win32CommandDialogTest, CaptionsAndOptionsFollowTheCommandWord) {
  struct Case {
    const char* prog;
    const char* label3;
    const char* label2;
    bool label3Shown, label2Shown, argsShown, optionsEnabled;
  };
  const Case cases[] = {
      {"/if", "Condition", "expression", true, true, true, false},
      {"/do", "", "", false, false, false, false},
      {"/hide", "Command", "Arguments", true, true, true, false},
      {";", "Comment", "Text", true, true, true, false},
      {"@", "Command", "filename", true, true, true, false},
      {"@x.tm", "Command", "Arguments", true, true, true, true},
  };
  EditLine("", [&](HWND d) {
    for (const Case& c : cases) {
      TypeProg(d, c.prog);
      EXPECT_EQ(DialogItemText(d, IDC_Label3), c.label3) << c.prog;
      EXPECT_EQ(DialogItemText(d, IDC_Label2), c.label2) << c.prog;
      EXPECT_EQ(Shown(d, IDC_Label3), c.label3Shown) << c.prog;
      EXPECT_EQ(Shown(d, IDC_Label2), c.label2Shown) << c.prog;
      EXPECT_EQ(Shown(d, IDC_Args), c.argsShown) << c.prog;
      for (int id : {IDC_NormalOpt, IDC_WaitOpt, IDC_HideOpt, IDC_MaxOpt, IDC_MinOpt, IDC_MinNoActOpt})
        EXPECT_EQ(Enabled(d, id), c.optionsEnabled) << c.prog << " " << id;
      EXPECT_TRUE(Enabled(d, IDC_WarnOpt));
      EXPECT_TRUE(Enabled(d, IDC_IgnoreOpt));
    }
    Click(d, IDC_btnCancel);
  });
}

TEST_F(Win32CommandDialogTest, OpeningTheListRefillsItAndErasesTheTextAndPickingAnItemTakesIt) {
  auto line = EditLine("typed", [](HWND d) {
    HWND prog = GetDlgItem(d, IDC_Prog);
    SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_Prog, CBN_DROPDOWN), reinterpret_cast<LPARAM>(prog));
    EXPECT_EQ(DialogItemText(d, IDC_Prog), "");
    EXPECT_EQ(SendMessageA(prog, CB_GETCOUNT, 0, 0), 23);
    char item[32] = {};
    SendMessageA(prog, CB_GETLBTEXT, 4, reinterpret_cast<LPARAM>(item));
    EXPECT_STREQ(item, "/activate");
    SendMessageA(prog, CB_SETCURSEL, 1, 0);  // ";"
    SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_Prog, CBN_SELCHANGE), reinterpret_cast<LPARAM>(prog));
    EXPECT_EQ(DialogItemText(d, IDC_Label3), "Comment");
    SetDlgItemTextA(d, IDC_Args, "note");
    Click(d, IDC_btnOk);
  });
  EXPECT_EQ(line, ";note");
}

}  // namespace
}  // namespace tolm::testing
