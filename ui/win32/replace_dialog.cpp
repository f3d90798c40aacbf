#include "ui/win32/replace_dialog.h"

#include "ui/win32/resource.h"
#include "ui/win32/win32_text.h"

namespace tolm {

ReplaceDialog::ReplaceDialog() : ModalDialog(IDD_frmReplace) {}

std::optional<ReplaceStrings> ReplaceDialog::Ask(HWND owner) {
  if (Run(owner) != IDOK) return std::nullopt;
  return strings_;
}

bool ReplaceDialog::OnCommand(int id, int) {
  switch (id) {
    case IDC_btnOk:
    case IDOK:
      strings_ = {DialogItemText(Window(), IDC_String1), DialogItemText(Window(), IDC_String2)};
      End(IDOK);
      return true;
    case IDC_btnCancel:
      End(IDCANCEL);
      return true;
    default:
      return false;
  }
}

}  // namespace tolm
