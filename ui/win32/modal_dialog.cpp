#include "ui/win32/modal_dialog.h"

#include "services/core/errors.h"
#include <optional>

#include "services/core/sys_error.h"
#include "services/seams/program_end.h"
#include "services/platform/windows/win_program_icon.h"
#include "services/platform/windows/win_pump.h"

namespace tolm {

namespace {

// Messages whose result a dialog procedure returns itself instead of
// storing it in DWLP_MSGRESULT.
bool ReturnsDirectly(UINT message) {
  return message == WM_VKEYTOITEM || message == WM_CHARTOITEM || message == WM_CTLCOLORSTATIC ||
         message == WM_CTLCOLORDLG || message == WM_CTLCOLOREDIT || message == WM_CTLCOLORBTN;
}

// The dialog shown innermost on this thread, and the exit code of a close
// request taken from the queue while it was shown.
thread_local ModalDialog* t_innermost = nullptr;
thread_local std::optional<int> t_closeRequest;

bool IsCloseRequest(const MSG& msg) {
  return msg.hwnd == nullptr &&
         (msg.message == WM_CLOSE || (msg.message == WM_SYSCOMMAND && msg.wParam == SC_CLOSE));
}

}  // namespace

// A modal loop dispatches messages posted to the thread nowhere. A close
// request among them ends the program, as the program's own pump does: the
// dialog ends at once, and Run ends the program once it is out of the
// system's code.
LRESULT CALLBACK ModalDialog::FilterThreadMessages(int code, WPARAM wParam, LPARAM lParam) {
  const MSG* msg = reinterpret_cast<const MSG*>(lParam);
  if (code >= 0 && t_innermost && IsCloseRequest(*msg)) {
    t_closeRequest = MessageExitCode(msg->wParam);
    EndDialog(t_innermost->window_, IDABORT);
    return TRUE;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

INT_PTR ModalDialog::Run(HWND owner) {
  failure_ = nullptr;
  ModalDialog* outer = t_innermost;
  t_innermost = this;
  HHOOK filter = outer ? nullptr : SetWindowsHookExA(WH_MSGFILTER, &FilterThreadMessages, nullptr, GetCurrentThreadId());
  SetLastError(0);
  INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), owner, &Procedure,
                                   reinterpret_cast<LPARAM>(this));
  DWORD error = GetLastError();
  if (filter) UnhookWindowsHookEx(filter);
  t_innermost = outer;
  window_ = nullptr;
  if (t_closeRequest) {
    int exitCode = *t_closeRequest;
    t_closeRequest.reset();
    EndProgram(exitCode);
  }
  if (failure_) std::rethrow_exception(failure_);
  if (result == -1) throw Exception("The dialog could not be shown.\r\n" + SysErrorText(static_cast<int>(error)));
  return result;
}

bool ModalDialog::OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }

INT_PTR CALLBACK ModalDialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(window, DWLP_USER, lParam);
    reinterpret_cast<ModalDialog*>(lParam)->window_ = window;
  }
  auto* self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrA(window, DWLP_USER));
  if (!self) return FALSE;
  try {
    return self->Handle(message, wParam, lParam);
  } catch (...) {
    self->failure_ = std::current_exception();
    EndDialog(window, IDABORT);
    return TRUE;
  }
}

INT_PTR ModalDialog::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    // Every form shows the program's icon in its caption and on the task bar.
    SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(LargeProgramIcon()));
    SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(SmallProgramIcon()));
    OnInit();
    // A form that put the focus on a control keeps it; otherwise the system
    // gives it to the first control that takes it (and selects an edit
    // control's whole text).
    HWND focus = GetFocus();
    return focus != nullptr && IsChild(Window(), focus) ? FALSE : TRUE;
  }
  if (message == WM_COMMAND) {
    int id = LOWORD(wParam);
    if (OnCommand(id, HIWORD(wParam))) return TRUE;
    if (id == IDCANCEL) {
      End(IDCANCEL);
      return TRUE;
    }
    return FALSE;
  }
  INT_PTR result = 0;
  if (!OnMessage(message, wParam, lParam, result)) return FALSE;
  if (ReturnsDirectly(message)) return result;
  SetWindowLongPtrA(window_, DWLP_MSGRESULT, result);
  return TRUE;
}

}  // namespace tolm
