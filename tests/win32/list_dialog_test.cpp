// The list dialog of "/plist" and "/wlist" over fixed processes and windows:
// its controls and captions, the search through the input box, Refresh, and
// a failure to list.
#include <gtest/gtest.h>

#include <optional>

#include "fakes/fake_process_platform.h"
#include "services/core/errors.h"
#include "services/seams/desktop.h"
#include "services/seams/window_search.h"
#include "ui/win32/resource.h"
#include "ui/win32/win32_text.h"
#include "ui/win32/win32_user_interface.h"
#include "win32/modal_driver.h"

namespace tolm::testing {
namespace {

class FakeDesktop : public WindowSystem {
 public:
  FakeDesktop() { InstallDesktop(DesktopBackend{this, nullptr, {}}); }
  ~FakeDesktop() override { UninstallDesktop(); }
  std::vector<WindowInfo> windows;
  bool broken = false;
  std::vector<WindowInfo> ListWindows(bool) override {
    if (broken) throw Exception("the window list cannot be read");
    return windows;
  }
  void Activate(WindowHandle) override {}
  void Close(WindowHandle) override {}
  void Quit(WindowHandle) override {}
};

std::vector<std::string> Entries(HWND d) { return ListEntries(GetDlgItem(d, IDC_PList)); }

// The find box's step: checks the box, then enters text (nothing: cancels).
ModalDriver::Step Search(std::optional<std::string> text) {
  return [text](HWND box) {
    EXPECT_EQ(DialogItemText(box, IDC_Prompt), "Please Enter string to find");
    EXPECT_EQ(DialogItemText(box, IDC_Value), "");
    if (!text) {
      Click(box, IDCANCEL);
      return;
    }
    SetDlgItemTextA(box, IDC_Value, text->c_str());
    Click(box, IDOK);
  };
}

class Win32ListDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform_.processes = {{1, "C:\\windows\\notepad.exe"}, {2, ""}, {3, "C:\\bin\\bash.exe"}, {4, "D:\\Note.exe"}};
    desktop_.windows = {{10, "Notepad", "Dialog"}, {30, "my notes", "X"}, {40, "Terminal", "X"}};
  }
  process_fakes::FakeProcessPlatform platform_;
  FakeDesktop desktop_;
  Win32UserInterface ui_;
};

TEST_F(Win32ListDialogTest, ButtonsHaveTheirTextsAndCloseEndsIt) {
  ModalDriver driver({[](HWND d) {
    for (auto [id, text] : {std::pair{IDC_Button1, "&Close"}, std::pair{IDC_Button2, "&Refresh"},
                            std::pair{IDC_Button3, "&Find..."}}) {
      EXPECT_EQ(DialogItemText(d, id), text);
    }
    Click(d, IDC_Button1);
  }});
  ui_.ShowListDialog(false);
  EXPECT_EQ(driver.StepsLeft(), 0u);
}

TEST_F(Win32ListDialogTest, ProcessesAreListedWhenShownAndNarrowedByASearch) {
  ModalDriver driver({[](HWND d) {
                        EXPECT_EQ(WindowText(d), "List of running processes");
                        EXPECT_EQ(Entries(d), (std::vector<std::string>{"NOTEPAD.EXE", "BASH.EXE", "NOTE.EXE"}));
                        Click(d, IDC_Button3);  // the next step answers the find box
                        EXPECT_EQ(Entries(d), (std::vector<std::string>{"NOTEPAD.EXE", "NOTE.EXE"}));
                        Click(d, IDC_Button2);
                        EXPECT_EQ(Entries(d), (std::vector<std::string>{"NOTEPAD.EXE", "BASH.EXE", "NOTE.EXE"}));
                        Click(d, IDC_Button1);
                      },
                      Search("note")});
  ui_.ShowListDialog(false);
  EXPECT_EQ(driver.titles, (std::vector<std::string>{"List of running processes", "Enter find string"}));
  EXPECT_EQ(driver.StepsLeft(), 0u);
}

TEST_F(Win32ListDialogTest, WindowTitlesAreSearchedWithTheirCase) {
  ModalDriver driver({[](HWND d) {
                        EXPECT_EQ(WindowText(d), "List of windows");
                        EXPECT_EQ(Entries(d), (std::vector<std::string>{"Notepad", "my notes", "Terminal"}));
                        Click(d, IDC_Button3);
                        EXPECT_EQ(Entries(d), (std::vector<std::string>{"my notes"}));
                        Click(d, IDC_Button3);  // cancelled: everything
                        EXPECT_EQ(Entries(d), (std::vector<std::string>{"Notepad", "my notes", "Terminal"}));
                        Click(d, IDCANCEL);
                      },
                      Search("note"), Search(std::nullopt)});
  ui_.ShowListDialog(true);
  EXPECT_EQ(driver.StepsLeft(), 0u);
}

TEST_F(Win32ListDialogTest, AFailureToListIsShownInAnErrorBox) {
  desktop_.broken = true;
  ModalDriver driver({[](HWND box) { Click(box, IDOK); },
                      [](HWND d) {
                        EXPECT_EQ(Entries(d), std::vector<std::string>{});
                        Click(d, IDC_Button1);
                      }});
  ui_.ShowListDialog(true);
  // The error box comes up while the dialog opens, before the dialog shows.
  EXPECT_EQ(driver.titles, (std::vector<std::string>{"Error", "List of windows"}));
}

}  // namespace
}  // namespace tolm::testing
