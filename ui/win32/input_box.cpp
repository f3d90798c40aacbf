#include "ui/win32/input_box.h"

#include "ui/win32/resource.h"
#include "ui/win32/win32_text.h"

namespace tolm {

InputBox::InputBox(std::string caption, std::string prompt, std::string defaultText)
    : ModalDialog(IDD_InputBox), caption_(std::move(caption)), prompt_(std::move(prompt)),
      value_(std::move(defaultText)) {}

std::optional<std::string> InputBox::Ask(HWND owner) {
  if (Run(owner) != IDOK) return std::nullopt;
  return value_;
}

void InputBox::OnInit() {
  SetWindowTextA(Window(), caption_.c_str());
  SetDlgItemTextA(Window(), IDC_Prompt, prompt_.c_str());
  SetDlgItemTextA(Window(), IDC_Value, value_.c_str());
}

bool InputBox::OnCommand(int id, int) {
  if (id != IDOK) return false;
  value_ = DialogItemText(Window(), IDC_Value);
  End(IDOK);
  return true;
}

}  // namespace tolm
