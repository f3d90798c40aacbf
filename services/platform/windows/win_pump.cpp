#include "services/platform/windows/win_pump.h"

#include <vector>

#include "services/seams/event_sources.h"
#include "services/seams/program_end.h"
#include "services/platform/windows/win_close_requests.h"
#include "services/platform/windows/win_handle_value.h"

namespace tolm {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kLargestExitCode = 65535;

DWORD TimeoutFor(const std::optional<Clock::time_point>& deadline) {
  if (!deadline) return INFINITE;
  const Clock::time_point now = Clock::now();
  if (*deadline <= now) return 0;
  // Rounded up, so the wait does not end just before the deadline.
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(*deadline - now).count();
  return left >= static_cast<long long>(INFINITE) ? INFINITE - 1 : static_cast<DWORD>(left);
}

bool IsCloseMessage(const MSG& msg) {
  return msg.message == WM_CLOSE || (msg.message == WM_SYSCOMMAND && msg.wParam == SC_CLOSE);
}

}  // namespace

int MessageExitCode(WPARAM wParam) {
  return wParam > static_cast<WPARAM>(kLargestExitCode) ? kLargestExitCode : static_cast<int>(wParam);
}

void ServeThreadMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT || IsCloseMessage(msg)) EndProgram(MessageExitCode(msg.wParam));
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

WinPump::WinPump() : closeRequests_(InstallConsoleCloseRequests()) {
  // A thread has a message queue only once it asks for messages; until then
  // messages posted to it are lost.
  MSG msg;
  PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
}

bool WinPump::WaitAndServe(std::optional<Clock::time_point> deadline) {
  std::vector<EventSource> sources = RegisteredEventSources();
  if (sources.size() > kMaxSources) sources.resize(kMaxSources);
  std::vector<HANDLE> handles{closeRequests_};
  for (const EventSource& s : sources) handles.push_back(HandleOfSource(s.fd));

  // MWMO_INPUTAVAILABLE: messages already in the queue wake the wait too,
  // not only those that arrive during it.
  const DWORD result = MsgWaitForMultipleObjectsEx(static_cast<DWORD>(handles.size()), handles.data(),
                                                   TimeoutFor(deadline), QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  ServeCloseRequest();
  ServeThreadMessages();
  if (result == WAIT_TIMEOUT || result == WAIT_FAILED) return false;
  for (size_t i = 0; i < sources.size(); ++i) {
    // A callback may have unregistered a later source; skip what is gone.
    if (WaitForSingleObject(handles[i + 1], 0) == WAIT_OBJECT_0 && IsEventSourceRegistered(sources[i].id))
      sources[i].onReady();
  }
  return true;
}

int WinPump::CloseRequestDescriptor() const { return SourceOfHandle(closeRequests_); }

void WinPump::ServeCloseRequest() {
  int code = 0;
  if (TakeCloseRequest(code)) EndProgram(code);
}

}  // namespace tolm
