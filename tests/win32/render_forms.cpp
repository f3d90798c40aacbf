// Not a test but the picture maker of tools/render-windows-forms.sh: with
// TOLM_RENDER_DIR set, it shows each Windows form with sample content and
// writes what it looks like there as a BMP file (win32-*.bmp). Without it
// it is skipped.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "fakes/fake_process_platform.h"
#include "support/run_tolm.h"
#include "ui/scripted_user.h"
#include "ui/win32/about_dialog.h"
#include "ui/win32/command_dialog.h"
#include "ui/win32/editor_dialog.h"
#include "ui/win32/info_dialog.h"
#include "ui/win32/list_dialog.h"
#include "ui/win32/resource.h"
#include "ui/win32/win32_user_interface.h"
#include "ui/win32/win32_user_questions.h"
#include "win32/modal_driver.h"

namespace tolm::testing {
namespace {

const char kSampleFile[] =
    "# Start Notepad, wait for its window, type into it, close it.\r\n"
    "notepad.exe/wait \"readme.txt\"\r\n"
    "/waitfor *Notepad\r\n"
    "/activate *Notepad\r\n"
    "/sendkeys hello from +tolm{ENTER}\r\n"
    "/sleep 500\r\n"
    "/close *Notepad\r\n";

// Serves the queue for a while, so that the window system has shown and
// painted a new window (a picture maker, not a test: nothing to wait on).
void LetItShow() {
  const DWORD until = GetTickCount() + 500;
  while (GetTickCount() < until) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

// The window as it is on the screen now, as a 24-bit BMP file.
void WriteBitmap(HWND window, const std::string& path) {
  SetForegroundWindow(window);
  LetItShow();
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
  // The repaint reaches the screen only once its drawing is flushed and the
  // display has shown it; copy the screen after that.
  GdiFlush();
  LetItShow();
  RECT r;
  GetWindowRect(window, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  SelectObject(memory, old);

  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
  std::vector<char> pixels(stride * static_cast<size_t>(height));
  GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
            DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);

  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info), sizeof info);
  out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
  EXPECT_TRUE(out.good()) << path;
}

ModalDriver::Step SaveThen(const std::string& path, std::function<void(HWND)> then) {
  return [path, then](HWND d) {
    WriteBitmap(d, path);
    then(d);
  };
}

TEST(RenderWin32Forms, WriteImages) {
  const char* dirEnv = std::getenv("TOLM_RENDER_DIR");
  if (dirEnv == nullptr) GTEST_SKIP() << "TOLM_RENDER_DIR is not set";
  const std::string dir = std::string(dirEnv) + "\\win32-";
  Win32UserInterface ui;
  {
    ModalDriver driver({SaveThen(dir + "confirm-box.bmp", [](HWND d) { Click(d, IDNO); })});
    ui.AskYesNo("Do you want to save your changes?");
  }
  {
    ModalDriver driver({SaveThen(dir + "information.bmp", [](HWND d) { Click(d, IDC_OKBtn); })});
    ui.ShowInfoDialog("notepad.exe/wait \"readme.txt\"\r\n/waitfor *Notepad\r\n/activate *Notepad\r\n", true);
  }
  {
    process_fakes::FakeProcessPlatform platform;
    platform.processes = {{4, "C:\\windows\\explorer.exe"}, {8, "C:\\windows\\notepad.exe"},
                          {12, "C:\\tools\\tolm32.exe"}};
    ModalDriver driver({SaveThen(dir + "list-dialog.bmp", [](HWND d) { Click(d, IDC_Button1); })});
    ui.ShowListDialog(false);
  }
  TempDir files;
  files.Write("desktop-demo.tm", kSampleFile);
  ScriptedUser user;
  user.yesNo = {false};
  Win32UserQuestions questions;
  Win32CommandDialogHost commandDialog(user);
  EditorDialog editor(user, commandDialog, [](HWND owner) {
    AboutDialog([](const std::string&) {}).Run(owner);
  });
  ModalDriver driver({[&](HWND e) {
                        SendMessageA(GetDlgItem(e, IDC_List1), LB_SETSEL, TRUE, 1);
                        SendMessageA(GetDlgItem(e, IDC_List1), LB_SETCARETINDEX, 1, FALSE);
                        Click(e, IDC_btnDown);  // marks the list "Modified"
                        WriteBitmap(e, dir + "editor.bmp");
                        Click(e, IDM_EditCommand1);
                        Click(e, IDM_About1);
                        questions.AskReplaceAll();
                        SendMessageA(e, WM_CLOSE, 0, 0);
                      },
                      SaveThen(dir + "command-dialog.bmp", [](HWND d) { Click(d, IDC_btnCancel); }),
                      SaveThen(dir + "about.bmp", [](HWND d) { Click(d, IDC_btnOk); }),
                      SaveThen(dir + "replace-all.bmp", [](HWND d) { Click(d, IDC_btnCancel); })});
  editor.Edit(files.path() + "\\desktop-demo.tm");
  EXPECT_EQ(driver.StepsLeft(), 0u);
}

}  // namespace
}  // namespace tolm::testing
