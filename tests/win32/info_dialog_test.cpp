// The "Information" dialog: its caption and controls, the text shown whole
// with Windows line breaks, OK and the close box, and the layout that
// follows the dialog's size.
#include <gtest/gtest.h>

#include "ui/win32/resource.h"
#include "ui/win32/win32_text.h"
#include "ui/win32/win32_user_interface.h"
#include "win32/modal_driver.h"

namespace tolm::testing {
namespace {

RECT ClientRectOf(HWND dialog, int id) {
  RECT r;
  GetWindowRect(GetDlgItem(dialog, id), &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

TEST(Win32InfoDialog, ShowsTheWholeTextReadOnlyAndOkEndsIt) {
  std::string text;
  for (int i = 0; i < 2000; ++i) text += "line " + std::to_string(i) + "\n";
  Win32UserInterface ui;
  ModalDriver driver({[&](HWND d) {
    EXPECT_EQ(DialogItemText(d, IDC_Msg), WithCrLf(text));
    EXPECT_NE(GetWindowLongA(GetDlgItem(d, IDC_Msg), GWL_STYLE) & ES_READONLY, 0);
    EXPECT_NE(GetWindowLongA(GetDlgItem(d, IDC_Msg), GWL_STYLE) & WS_VSCROLL, 0);
    EXPECT_EQ(DialogItemText(d, IDC_OKBtn), "OK");
    // OK has the focus (Enter ends the dialog) and no text is selected.
    EXPECT_EQ(GetFocus(), GetDlgItem(d, IDC_OKBtn));
    DWORD start = 1, end = 1;
    SendMessageA(GetDlgItem(d, IDC_Msg), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, end);
    Click(d, IDC_OKBtn);
  }});
  ui.ShowInfoDialog(text, true);
  EXPECT_EQ(driver.titles, std::vector<std::string>{"Information"});
  EXPECT_EQ(driver.StepsLeft(), 0u);
}

TEST(Win32InfoDialog, TheCloseBoxEndsItLikeOk) {
  Win32UserInterface ui;
  ModalDriver driver({[](HWND d) { SendMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }});
  ui.ShowInfoDialog("x", false);
  EXPECT_EQ(driver.titles, std::vector<std::string>{"Information"});
}

TEST(Win32InfoDialog, TheTextGrowsWithTheDialogAndOkStaysAtTheBottom) {
  Win32UserInterface ui;
  ModalDriver driver({[](HWND d) {
    RECT before = ClientRectOf(d, IDC_Msg);
    RECT window;
    GetWindowRect(d, &window);
    SetWindowPos(d, nullptr, 0, 0, window.right - window.left + 100, window.bottom - window.top + 80,
                 SWP_NOMOVE | SWP_NOZORDER);
    RECT after = ClientRectOf(d, IDC_Msg);
    EXPECT_GE(after.right - after.left, before.right - before.left + 100);
    EXPECT_GE(after.bottom - after.top, before.bottom - before.top + 70);
    // The same margins all round; OK centred below the text at the bottom.
    RECT client;
    GetClientRect(d, &client);
    RECT ok = ClientRectOf(d, IDC_OKBtn);
    EXPECT_EQ(after.top, after.left);
    EXPECT_EQ(client.right - after.right, after.left);
    EXPECT_EQ(client.bottom - ok.bottom, after.left);
    EXPECT_LT(after.bottom, ok.top);
    EXPECT_EQ(ok.left + ok.right, client.right);
    Click(d, IDC_OKBtn);
  }});
  ui.ShowInfoDialog("x", false);
}

}  // namespace
}  // namespace tolm::testing
