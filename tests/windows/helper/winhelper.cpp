// A small Windows program the backend tests start and drive:
//   winhelper exit N               ends at once with exit code N
//   winhelper sleep MS N           ends with N after MS milliseconds
//   winhelper showmode FILE        writes the show mode it was started with to FILE
//   winhelper append FILE TEXT [N] appends TEXT and a line feed to FILE, ends with N
//   winhelper sysclose TITLE       posts WM_SYSCOMMAND with SC_CLOSE to the
//                                  window titled TITLE, once it exists (10 s at most)
//   winhelper window TITLE [FILE]  shows a window titled TITLE with a button
//                                  "TITLE Button"; writes a line to FILE for
//                                  every key message the window gets
//                                  ("down VK", "up VK", and "char U" for a
//                                  character, U its UTF-16 unit in hex), and,
//                                  once shown, "shown"; ends with 10 after
//                                  WM_CLOSE and with the code of a WM_QUIT it
//                                  is sent. A Unicode window: the characters
//                                  arrive whole, not in the code page.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::FILE* g_log = nullptr;

void Log(const std::string& line) {
  if (g_log == nullptr) return;
  std::fprintf(g_log, "%s\n", line.c_str());
  std::fflush(g_log);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      Log("down " + std::to_string(wParam));
      return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      Log("up " + std::to_string(wParam));
      return 0;
    case WM_CHAR:
    case WM_SYSCHAR: {
      char unit[16];
      std::snprintf(unit, sizeof unit, "char %04X", static_cast<unsigned>(wParam));
      Log(unit);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(10);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

int RunWindow(const char* title) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = L"TolmTestWindow";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowW(L"TolmTestWindow", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 320, 200, nullptr,
                              nullptr, windowClass.hInstance, nullptr);
  if (window == nullptr) return 2;
  SetWindowTextA(window, title);
  const std::string button = std::string(title) + " Button";
  CreateWindowA("BUTTON", button.c_str(), WS_CHILD | WS_VISIBLE, 10, 10, 200, 30, window, nullptr,
                windowClass.hInstance, nullptr);
  SetFocus(window);
  Log("shown");
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 100;
  const std::string mode = argv[1];
  if (mode == "exit" && argc == 3) return std::atoi(argv[2]);
  if (mode == "sleep" && argc == 4) {
    Sleep(static_cast<DWORD>(std::atoi(argv[2])));
    return std::atoi(argv[3]);
  }
  if (mode == "showmode" && argc == 3) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    std::FILE* out = std::fopen(argv[2], "w");
    if (out == nullptr) return 3;
    std::fprintf(out, "%d", (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1);
    std::fclose(out);
    return 0;
  }
  if (mode == "append" && (argc == 4 || argc == 5)) {
    std::FILE* out = std::fopen(argv[2], "ab");
    if (out == nullptr) return 3;
    std::fprintf(out, "%s\n", argv[3]);
    std::fclose(out);
    return argc == 5 ? std::atoi(argv[4]) : 0;
  }
  if (mode == "sysclose" && argc == 3) {
    for (int tries = 0; tries < 500; ++tries) {
      if (HWND window = FindWindowA(nullptr, argv[2])) return PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0) ? 0 : 4;
      Sleep(20);
    }
    return 5;
  }
  if (mode == "window" && argc >= 3) {
    if (argc == 4) g_log = std::fopen(argv[3], "wb");
    return RunWindow(argv[2]);
  }
  return 100;
}
