#include "services/platform/windows/win_taskbar_title.h"

#include <windows.h>

#include "services/platform/windows/win_program_icon.h"
#include "services/seams/app_title.h"

namespace tolm {
namespace {

constexpr char kWindowClass[] = "TolmApplication";

HWND CreateApplicationWindow() {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hIcon = LargeProgramIcon();
  windowClass.hIconSm = SmallProgramIcon();
  windowClass.lpszClassName = kWindowClass;
  RegisterClassExA(&windowClass);
  HWND window = CreateWindowExA(WS_EX_APPWINDOW, kWindowClass, ApplicationTitle().c_str(),
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT, CW_USEDEFAULT,
                                0, 0, nullptr, nullptr, windowClass.hInstance, nullptr);
  if (window != nullptr) ShowWindow(window, SW_SHOWMINNOACTIVE);
  return window;
}

}  // namespace

void ShowTitleOnTaskbar() {
  HWND window = CreateApplicationWindow();
  if (window == nullptr) return;  // no desktop to show it on: the run goes on without
  OnApplicationTitleChanged([window](const std::string& title) { SetWindowTextA(window, title.c_str()); });
}

}  // namespace tolm
