// "Replace All" and About in the editor, through the real dialogs, and the
// system file dialogs' setup from the editor's requests.
#include <gtest/gtest.h>

#include "services/core/version.h"
#include "support/run_tolm.h"
#include "ui/core/editor_model.h"
#include "ui/win32/about_dialog.h"
#include "ui/win32/file_dialogs.h"
#include "ui/win32/resource.h"
#include "ui/win32/win32_text.h"
#include "ui/win32/win32_user_questions.h"
#include "services/platform/windows/win_program_icon.h"
#include "win32/modal_driver.h"
#include "windows/icon_pixels.h"

namespace tolm::testing {
namespace {

TEST(Win32ReplaceDialog, OkGivesBothTextsCancelAndTheCloseBoxNothing) {
  Win32UserQuestions questions;
  {
    ModalDriver driver({[](HWND d) {
      EXPECT_EQ(DialogItemText(d, IDC_Label1), "String to replace:");
      EXPECT_EQ(DialogItemText(d, IDC_Label2), "Replace with string");
      EXPECT_EQ(DialogItemText(d, IDC_btnOk), "&OK");
      EXPECT_EQ(DialogItemText(d, IDC_btnCancel), "&Cancel");
      SetDlgItemTextA(d, IDC_String1, "old");
      Click(d, IDC_btnOk);
    }});
    std::optional<ReplaceStrings> strings = questions.AskReplaceAll();
    ASSERT_TRUE(strings.has_value());
    EXPECT_EQ(strings->String1, "old");
    EXPECT_EQ(strings->String2, "");
    EXPECT_EQ(driver.titles, std::vector<std::string>{"Replace All"});
  }
  for (auto close : std::vector<ModalDriver::Step>{[](HWND d) { Click(d, IDC_btnCancel); },
                                                   [](HWND d) { SendMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }}) {
    ModalDriver driver({[close](HWND d) {
      SetDlgItemTextA(d, IDC_String1, "old");
      close(d);
    }});
    EXPECT_EQ(questions.AskReplaceAll(), std::nullopt);
  }
}

TEST(Win32AboutDialog, ShowsIconNameVersionAndAddressAndAClickOpensTheAddress) {
  std::vector<std::string> runs;
  AboutDialog about([&](const std::string& text) { runs.push_back(text); });
  ModalDriver driver({[](HWND d) {
    // The program's icon, 32 by 32 pixels.
    HICON icon = reinterpret_cast<HICON>(SendMessageA(GetDlgItem(d, IDC_Image1), STM_GETICON, 0, 0));
    EXPECT_EQ(icon, ProgramIcon(32));
    EXPECT_EQ(wintest::DifferenceFromProgramDrawing(icon, 32), "");
    EXPECT_EQ(DialogItemText(d, IDC_Label1), "Tolm  (32 bit)");
    EXPECT_EQ(DialogItemText(d, IDC_Label2), std::string("Version ") + kProgramVersion);
    EXPECT_EQ(DialogItemText(d, IDC_Label5), "Download the latest version from ");
    EXPECT_EQ(DialogItemText(d, IDC_btnOk), "&Ok");
    HWND link = GetDlgItem(d, IDC_Label6);
    SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_Label6, STN_CLICKED), reinterpret_cast<LPARAM>(link));
    Click(d, IDC_btnOk);
  }});
  about.Run(nullptr);
  EXPECT_EQ(driver.titles, std::vector<std::string>{"About Tolm32"});
  EXPECT_EQ(runs, std::vector<std::string>{std::string("\"") + kAboutDownloadAddress + "\""});
}

TEST(Win32FileDialogs, TheEditorsRequestsBecomeTheSystemsFilterFlagsAndExtension) {
  EXPECT_EQ(SystemFilter("Tolm Files (*.tm)|*.TM"), std::string("Tolm Files (*.tm)\0*.TM\0\0", 24));
  FileDialogRequest open = OpenCommandFileRequest();
  FileDialogRequest save = SaveCommandFileRequest();
  EXPECT_EQ(SystemDefaultExtension(open.defaultExtension), "TM");
  EXPECT_EQ(SystemDefaultExtension(save.defaultExtension), "TM");
  DWORD always = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
  EXPECT_EQ(FileDialogFlags(open), always | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST);
  EXPECT_EQ(FileDialogFlags(save), always | OFN_OVERWRITEPROMPT);
}

// The open dialog as the system shows it: a name typed in and OK give the
// file's full name; Cancel gives nothing.
TEST(Win32FileDialogs, TheOpenDialogGivesTheChosenFileOrNothing) {
  TempDir dir;
  dir.Write("x.tm", "a\r\n");
  std::string full = dir.path() + "\\x.tm";
  Win32UserQuestions questions;
  {
    ModalDriver driver({[&](HWND d) {
      // The file name box of the explorer-style dialog (cmb13, 0x47c).
      SetDlgItemTextA(d, 0x47c, full.c_str());
      Click(d, IDOK);
    }});
    std::optional<std::string> chosen = questions.AskOpenFileName(OpenCommandFileRequest());
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, full);
  }
  ModalDriver driver({[](HWND d) { Click(d, IDCANCEL); }});
  EXPECT_EQ(questions.AskOpenFileName(OpenCommandFileRequest()), std::nullopt);
}

}  // namespace
}  // namespace tolm::testing
