#include "services/platform/windows/win_windows.h"

#include <chrono>
#include <cstdint>

#include "services/seams/event_pump.h"

namespace tolm {
namespace {

// Buffers of 255 characters: 254 and the terminating zero.
constexpr int kTextBuffer = static_cast<int>(kMaxWindowText) + 1;

std::string TitleOf(HWND window) {
  char text[kTextBuffer];
  const int length = GetWindowTextA(window, text, kTextBuffer);
  return std::string(text, length > 0 ? static_cast<size_t>(length) : 0);
}

std::string ClassOf(HWND window) {
  char name[kTextBuffer];
  const int length = GetClassNameA(window, name, kTextBuffer);
  return std::string(name, length > 0 ? static_cast<size_t>(length) : 0);
}

void Walk(HWND parent, bool withClasses, std::vector<WindowInfo>& out) {
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    Walk(child, withClasses, out);
    WindowInfo info;
    info.handle = HandleOf(child);
    info.title = TitleOf(child);
    if (withClasses) info.className = ClassOf(child);
    out.push_back(std::move(info));
  }
}

// The answer of a sent close message arrives as a callback, called while
// this thread takes its messages.
void CALLBACK CloseHandled(HWND, UINT, ULONG_PTR done, LRESULT) { *reinterpret_cast<bool*>(done) = true; }

}  // namespace

HWND WindowOf(WindowHandle handle) { return reinterpret_cast<HWND>(static_cast<intptr_t>(handle)); }

WindowHandle HandleOf(HWND window) { return static_cast<WindowHandle>(reinterpret_cast<intptr_t>(window)); }

std::vector<WindowInfo> WinWindowSystem::ListWindows(bool withClasses) {
  std::vector<WindowInfo> windows;
  Walk(GetDesktopWindow(), withClasses, windows);
  return windows;
}

void WinWindowSystem::Activate(WindowHandle window) { SetForegroundWindow(WindowOf(window)); }

void WinWindowSystem::Close(WindowHandle window) {
  // Not SendMessageA, which would block out of reach of close requests while
  // the window takes its time (asking whether to save, say).
  bool done = false;
  if (!SendMessageCallbackA(WindowOf(window), WM_CLOSE, 0, 0, CloseHandled, reinterpret_cast<ULONG_PTR>(&done)))
    return;  // the window is gone
  while (!done) {
    // A window that vanishes before it answers never calls back.
    if (!IsWindow(WindowOf(window))) {
      ProcessPendingMessages();
      break;
    }
    PumpWaitUntil(std::chrono::steady_clock::now() + std::chrono::milliseconds(100));
  }
}

void WinWindowSystem::Quit(WindowHandle window) { PostMessageA(WindowOf(window), WM_QUIT, 0, 0); }

}  // namespace tolm
