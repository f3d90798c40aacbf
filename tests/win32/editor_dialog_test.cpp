// The command file editor as a Windows dialog, driven by messages: the file
// read into the list, the menu bar, moving, deleting and editing lines
// through the real command dialog, saving to disk, and the question before
// closing with changes. Questions go to a scripted user.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "fakes/fake_process_platform.h"
#include "support/run_tolm.h"
#include "ui/scripted_user.h"
#include "ui/win32/command_dialog.h"
#include "ui/win32/editor_dialog.h"
#include "ui/win32/resource.h"
#include "ui/win32/win32_text.h"
#include "win32/modal_driver.h"

namespace tolm::testing {
namespace {

std::string StatusPanel(HWND editor, int panel) {
  HWND bar = GetDlgItem(editor, IDC_StatusBar1);
  std::vector<char> text(static_cast<size_t>(LOWORD(SendMessageA(bar, SB_GETTEXTLENGTHA, panel, 0))) + 1);
  SendMessageA(bar, SB_GETTEXTA, panel, reinterpret_cast<LPARAM>(text.data()));
  return text.data();
}

std::string MenuText(HWND editor, int id) {
  char text[128] = {};
  GetMenuStringA(GetMenu(editor), static_cast<UINT>(id), text, sizeof text, MF_BYCOMMAND);
  return text;
}

std::vector<std::string> Lines(HWND editor) { return ListEntries(GetDlgItem(editor, IDC_List1)); }

// Selects exactly the given lines; the last one becomes the current item.
void Select(HWND editor, std::initializer_list<int> indexes) {
  HWND list = GetDlgItem(editor, IDC_List1);
  SendMessageA(list, LB_SETSEL, FALSE, -1);
  for (int i : indexes) {
    SendMessageA(list, LB_SETSEL, TRUE, i);
    SendMessageA(list, LB_SETCARETINDEX, static_cast<WPARAM>(i), FALSE);
  }
}

void Key(HWND editor, WPARAM key) {
  HWND list = GetDlgItem(editor, IDC_List1);
  SetFocus(list);
  SendMessageA(list, WM_KEYDOWN, key, 0);
}

class Win32EditorTest : public ::testing::Test {
 protected:
  std::string WriteFile(const std::string& contents) {
    dir_.Write("a.tm", contents);
    return dir_.path() + "\\a.tm";
  }
  void Edit(const std::string& fileName) { editor_.Edit(fileName); }

  TempDir dir_;
  ScriptedUser user_;
  Win32CommandDialogHost commandDialog_{user_};
  int abouts_ = 0;
  EditorDialog editor_{user_, commandDialog_, [this](HWND) { ++abouts_; }};
};

TEST_F(Win32EditorTest, ShowsTheFileWithItsCaptionMenusAndStatus) {
  std::string file = WriteFile("one\r\n  two\nthree");
  ModalDriver driver({[](HWND e) {
    EXPECT_EQ(Lines(e), (std::vector<std::string>{"one", "two", "three"}));
    EXPECT_EQ(StatusPanel(e, 0), "");
    EXPECT_EQ(StatusPanel(e, 1), "");
    EXPECT_EQ(DialogItemText(e, IDC_Label2), "Move");
    const std::pair<int, const char*> items[] = {
        {IDM_New1, "&New"},
        {IDM_Open1, "&Open..."},
        {IDM_Save1, "&Save"},
        {IDM_SaveAs1, "Save &As..."},
        {IDM_Run1, "&Run"},
        {IDM_Exit1, "E&xit"},
        {IDM_NewCommand1, "&New Command (Insert)..."},
        {IDM_EditCommand1, "&Edit Command (Enter)..."},
        {IDM_DeleteCommand1, "&Delete Commands (Delete)"},
        {IDM_Replace1, "Replace All..."},
        {IDM_About1, "&About"},
    };
    for (auto [id, text] : items) EXPECT_EQ(MenuText(e, id), text);
    Click(e, IDM_About1);
    SendMessageA(e, WM_CLOSE, 0, 0);
  }});
  Edit(file);
  EXPECT_EQ(driver.titles, std::vector<std::string>{"Tolm Command File Editor - a.tm"});
  EXPECT_EQ(abouts_, 1);
}

TEST_F(Win32EditorTest, MovesDeletesAndEditsLinesAndSavesThemToTheFile) {
  std::string file = WriteFile("one\r\ntwo\r\nthree\r\n");
  ModalDriver driver({[](HWND e) {
                        Select(e, {2});
                        Click(e, IDC_btnUp);
                        EXPECT_EQ(Lines(e), (std::vector<std::string>{"one", "three", "two"}));
                        EXPECT_EQ(StatusPanel(e, 1), "Modified");
                        Select(e, {0});
                        Key(e, VK_DELETE);
                        EXPECT_EQ(Lines(e), (std::vector<std::string>{"three", "two"}));
                        Select(e, {1});
                        Click(e, IDM_EditCommand1);  // the next step fills the command dialog
                        EXPECT_EQ(Lines(e), (std::vector<std::string>{"three", "notepad.exe/wait readme.txt"}));
                        Click(e, IDM_Save1);
                        EXPECT_EQ(StatusPanel(e, 1), "");
                        Click(e, IDM_Exit1);
                      },
                      [](HWND d) {
                        EXPECT_EQ(DialogItemText(d, IDC_Prog), "two");
                        SetDlgItemTextA(d, IDC_Prog, "notepad.exe");
                        SetDlgItemTextA(d, IDC_Args, "readme.txt");
                        CheckDlgButton(d, IDC_WaitOpt, BST_CHECKED);
                        Click(d, IDC_btnOk);
                      }});
  Edit(file);
  EXPECT_EQ(driver.titles,
            (std::vector<std::string>{"Tolm Command File Editor - a.tm", "Enter command line and options"}));
  EXPECT_EQ(dir_.Read("a.tm"), "three\r\nnotepad.exe/wait readme.txt\r\n");
  EXPECT_EQ(user_.errors, std::vector<std::string>{});
}

TEST_F(Win32EditorTest, InsertAddsALineAndClosingWithChangesAsksToSave) {
  std::string file = WriteFile("one\r\n");
  user_.yesNo = {false};
  ModalDriver driver({[](HWND e) {
                        Select(e, {0});
                        Key(e, VK_INSERT);
                        EXPECT_EQ(Lines(e), (std::vector<std::string>{"one", ""}));
                        EXPECT_EQ(StatusPanel(e, 1), "Modified");
                        SendMessageA(e, WM_CLOSE, 0, 0);
                      },
                      [](HWND d) { Click(d, IDC_btnCancel); }});
  Edit(file);
  EXPECT_EQ(user_.questions, std::vector<std::string>{kSaveChangesQuestion});
  EXPECT_EQ(dir_.Read("a.tm"), "one\r\n");
}

TEST_F(Win32EditorTest, TheContextMenuDeletesTheSelectedLinesAndNothingSelectedIsAnError) {
  std::string file = WriteFile("a\r\nb\r\nc\r\n");
  user_.yesNo = {false};
  ModalDriver driver({[](HWND e) {
    Select(e, {0, 2});
    Click(e, IDM_DeleteCommand2);
    EXPECT_EQ(Lines(e), std::vector<std::string>{"b"});
    Select(e, {});
    Click(e, IDM_DeleteCommand2);
    SendMessageA(e, WM_CLOSE, 0, 0);
  }});
  Edit(file);
  EXPECT_EQ(user_.errors, std::vector<std::string>{"No item(s) selected"});
}

// Enter on the list (as a key, or as the dialog manager's default command
// while the list has the focus) and a double click edit the current line.
TEST_F(Win32EditorTest, EnterAndADoubleClickEditTheCurrentLine) {
  const std::function<void(HWND)> ways[] = {
      [](HWND e) { Key(e, VK_RETURN); },
      [](HWND e) {
        SetFocus(GetDlgItem(e, IDC_List1));
        SendMessageA(e, WM_COMMAND, IDOK, 0);
      },
      [](HWND e) {
        SendMessageA(e, WM_COMMAND, MAKEWPARAM(IDC_List1, LBN_DBLCLK),
                     reinterpret_cast<LPARAM>(GetDlgItem(e, IDC_List1)));
      },
  };
  std::string file = WriteFile("one\r\ntwo\r\n");
  for (const auto& edit : ways) {
    user_.yesNo = {false};
    ModalDriver driver({[&](HWND e) {
                          Select(e, {1});
                          edit(e);
                          SendMessageA(e, WM_CLOSE, 0, 0);
                        },
                        [](HWND d) {
                          EXPECT_EQ(DialogItemText(d, IDC_Prog), "two");
                          Click(d, IDC_btnCancel);
                        }});
    Edit(file);
    EXPECT_EQ(driver.StepsLeft(), 0u);
  }
}

// A close request posted to the program ends it with the message's code at
// once, without the question about unsaved changes: in the editor and in a
// dialog over it.
TEST_F(Win32EditorTest, ACloseRequestPostedToTheProgramEndsItWhileTheEditorIsOpen) {
  auto post = [](UINT message, WPARAM wParam) {
    return [message, wParam](HWND) { PostThreadMessageA(GetCurrentThreadId(), message, wParam, 0); };
  };
  auto modify = [](HWND e) {
    Select(e, {0});
    Key(e, VK_DELETE);
  };
  struct Case {
    std::vector<ModalDriver::Step> steps;
    int exitCode;
  };
  const Case cases[] = {
      {{[&](HWND e) {
         modify(e);
         post(WM_CLOSE, 7)(e);
       }},
       7},
      {{[&](HWND e) {
          modify(e);
          Click(e, IDM_NewCommand1);
        },
        post(WM_SYSCOMMAND, SC_CLOSE)},
       61536},
  };
  for (const Case& c : cases) {
    std::string file = WriteFile("one\r\n");
    process_fakes::ProgramEndCatcher catcher;
    ModalDriver driver(c.steps);
    int ended = -1;
    try {
      Edit(file);
    } catch (const process_fakes::ProgramEnded& e) {
      ended = e.exitCode;
    }
    EXPECT_EQ(ended, c.exitCode);
    EXPECT_EQ(driver.StepsLeft(), 0u);
  }
  EXPECT_EQ(user_.questions, std::vector<std::string>{});
  EXPECT_EQ(dir_.Read("a.tm"), "one\r\n");
}

}  // namespace
}  // namespace tolm::testing
