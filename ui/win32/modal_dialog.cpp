#include "ui/win32/modal_dialog.h"

#include "services/errors.h"
#include "services/debug_log.h"

namespace tolm {

namespace {

// Messages whose result a dialog procedure returns itself instead of
// storing it in DWLP_MSGRESULT.
bool ReturnsDirectly(UINT message) {
  return message == WM_VKEYTOITEM || message == WM_CHARTOITEM || message == WM_CTLCOLORSTATIC ||
         message == WM_CTLCOLORDLG || message == WM_CTLCOLOREDIT || message == WM_CTLCOLORBTN;
}

}  // namespace

INT_PTR ModalDialog::Run(HWND owner) {
  failure_ = nullptr;
  SetLastError(0);
  INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), owner, &Procedure,
                                   reinterpret_cast<LPARAM>(this));
  window_ = nullptr;
  if (failure_) std::rethrow_exception(failure_);
  if (result == -1) throw Exception("The dialog could not be shown.\r\n" + SysErrorText(static_cast<int>(GetLastError())));
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
    OnInit();
    return TRUE;  // the system gives the focus to the first control that takes it
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
