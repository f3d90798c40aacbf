// A dialog template from forms.rc shown modally (DialogBoxParamA), with the
// program's icon. A form derives from it and handles its messages; an
// exception thrown by a handler ends the dialog and is thrown again by Run,
// since it must not unwind through the system's code. A close request posted
// to the thread while a dialog is shown (WM_CLOSE, or WM_SYSCOMMAND with
// SC_CLOSE) ends the program with its code, as the program's pump does.
#pragma once

#include <windows.h>

#include <exception>

namespace tolm {

class ModalDialog {
 public:
  explicit ModalDialog(int templateId) : templateId_(templateId) {}
  virtual ~ModalDialog() = default;
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;

  // Shows the dialog and returns the id it was ended with (IDOK, IDCANCEL...).
  INT_PTR Run(HWND owner = nullptr);

 protected:
  // WM_INITDIALOG: the controls exist.
  virtual void OnInit() {}
  // WM_COMMAND from a control or menu item; true when handled. Unhandled
  // IDCANCEL (Escape, the close box) ends the dialog with IDCANCEL.
  virtual bool OnCommand(int id, int notification) = 0;
  // Any other message; true when handled (the result goes in result).
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);

  void End(INT_PTR result) { EndDialog(window_, result); }
  HWND Window() const { return window_; }
  HWND Item(int id) const { return GetDlgItem(window_, id); }

 private:
  static LRESULT CALLBACK FilterThreadMessages(int code, WPARAM wParam, LPARAM lParam);
  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);

  int templateId_;
  HWND window_ = nullptr;
  std::exception_ptr failure_;
};

}  // namespace tolm
