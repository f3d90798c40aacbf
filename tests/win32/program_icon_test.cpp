// The program's icon on its windows: the forms' captions and task-bar
// buttons, and the application window that carries the title on the task bar.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "services/platform/windows/win_program_icon.h"
#include "services/platform/windows/win_taskbar_title.h"
#include "ui/win32/win32_user_questions.h"
#include "win32/modal_driver.h"
#include "windows/icon_pixels.h"

namespace tolm::testing {
namespace {

using wintest::DifferenceFromProgramDrawing;

TEST(Win32ProgramIcon, TheIconIsTheProgramsDrawingAtTheSystemsSizes) {
  EXPECT_EQ(DifferenceFromProgramDrawing(LargeProgramIcon(), GetSystemMetrics(SM_CXICON)), "");
  EXPECT_EQ(DifferenceFromProgramDrawing(SmallProgramIcon(), GetSystemMetrics(SM_CXSMICON)), "");
  // The check tells another icon apart: the system's application icon.
  EXPECT_NE(DifferenceFromProgramDrawing(LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION)),
                                         GetSystemMetrics(SM_CXICON)),
            "");
}

TEST(Win32ProgramIcon, AFormShowsItInItsCaption) {
  HICON big = nullptr, small = nullptr;
  ModalDriver driver({[&](HWND d) {
    big = reinterpret_cast<HICON>(SendMessageA(d, WM_GETICON, ICON_BIG, 0));
    small = reinterpret_cast<HICON>(SendMessageA(d, WM_GETICON, ICON_SMALL, 0));
    SendMessageA(d, WM_COMMAND, IDCANCEL, 0);
  }});
  Win32UserQuestions().AskReplaceAll();
  EXPECT_EQ(big, LargeProgramIcon());
  EXPECT_EQ(small, SmallProgramIcon());
}

TEST(Win32ProgramIcon, TheTaskbarButtonOfTheApplicationWindowShowsIt) {
  ShowTitleOnTaskbar();
  HWND window = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND candidate, LPARAM found) {
        char name[64] = "";
        GetClassNameA(candidate, name, sizeof name);
        if (std::string(name) != "TolmApplication") return TRUE;
        *reinterpret_cast<HWND*>(found) = candidate;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&window));
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICON)), LargeProgramIcon());
  EXPECT_EQ(reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICONSM)), SmallProgramIcon());
}

}  // namespace
}  // namespace tolm::testing
