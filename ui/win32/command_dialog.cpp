#include "ui/win32/command_dialog.h"

#include <utility>
#include <vector>

#include "ui/win32/resource.h"
#include "ui/win32/win32_text.h"

namespace tolm {
namespace {

constexpr std::pair<WindowModeOption, int> kModeButtons[] = {
    {WindowModeOption::Normal, IDC_NormalOpt},   {WindowModeOption::Minimized, IDC_MinOpt},
    {WindowModeOption::Maximized, IDC_MaxOpt},   {WindowModeOption::Hidden, IDC_HideOpt},
    {WindowModeOption::NoActivate, IDC_MinNoActOpt},
};

// The controls that follow the model's OptionsEnabled.
constexpr int kOptionControls[] = {IDC_NormalOpt, IDC_WaitOpt, IDC_HideOpt, IDC_MaxOpt, IDC_MinOpt, IDC_MinNoActOpt};

}  // namespace

CommandDialog::CommandDialog(CommandDialogModel& model, UserQuestions& questions)
    : ModalDialog(IDD_frmTolmInput), model_(model), questions_(questions) {}

// The dialog opens with captions that fit the record shown.
void CommandDialog::OnInit() {
  ShowFields();
  StoreFields();
  model_.OnActivate();
  ShowCaptions();
}

bool CommandDialog::Checked(int id) const { return IsDlgButtonChecked(Window(), id) == BST_CHECKED; }

void CommandDialog::StoreFields() {
  model_.Prog = DialogItemText(Window(), IDC_Prog);
  model_.Args = DialogItemText(Window(), IDC_Args);
  model_.WaitOpt = Checked(IDC_WaitOpt);
  model_.WarnOpt = Checked(IDC_WarnOpt);
  model_.IgnoreOpt = Checked(IDC_IgnoreOpt);
  for (auto [mode, id] : kModeButtons) {
    if (Checked(id)) model_.WindowMode = mode;
  }
}

void CommandDialog::ShowFields() {
  showing_ = true;
  HWND prog = Item(IDC_Prog);
  SendMessageA(prog, CB_RESETCONTENT, 0, 0);
  for (const std::string& item : model_.ProgItems)
    SendMessageA(prog, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  SetWindowTextA(prog, model_.Prog.c_str());
  SetDlgItemTextA(Window(), IDC_Args, model_.Args.c_str());
  CheckDlgButton(Window(), IDC_WaitOpt, model_.WaitOpt ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(Window(), IDC_WarnOpt, model_.WarnOpt ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(Window(), IDC_IgnoreOpt, model_.IgnoreOpt ? BST_CHECKED : BST_UNCHECKED);
  for (auto [mode, id] : kModeButtons) CheckDlgButton(Window(), id, mode == model_.WindowMode ? BST_CHECKED : BST_UNCHECKED);
  ShowCaptions();
  showing_ = false;
}

// The argument captions and the options the command word allows.
void CommandDialog::ShowCaptions() {
  SetDlgItemTextA(Window(), IDC_Label3, model_.Label3.c_str());
  SetDlgItemTextA(Window(), IDC_Label2, model_.Label2.c_str());
  ShowWindow(Item(IDC_Label3), model_.Label3Visible ? SW_SHOW : SW_HIDE);
  ShowWindow(Item(IDC_Label2), model_.Label2Visible ? SW_SHOW : SW_HIDE);
  ShowWindow(Item(IDC_Args), model_.ArgsVisible ? SW_SHOW : SW_HIDE);
  for (int id : kOptionControls) EnableWindow(Item(id), model_.OptionsEnabled ? TRUE : FALSE);
}

void CommandDialog::ProgChange() {
  if (showing_) return;
  StoreFields();
  model_.ProgChange();
  ShowCaptions();
}

// An item picked from the list: the edit text changes only after this
// notification, so the item's own text is taken.
void CommandDialog::ProgPicked() {
  HWND prog = Item(IDC_Prog);
  LRESULT index = SendMessageA(prog, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return;
  LRESULT length = SendMessageA(prog, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  std::vector<char> text(static_cast<size_t>(length < 0 ? 0 : length) + 1);
  SendMessageA(prog, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  StoreFields();
  model_.SetProg(text.data());
  ShowCaptions();
}

bool CommandDialog::OnCommand(int id, int notification) {
  if (id == IDC_Prog) {
    if (notification == CBN_EDITCHANGE) ProgChange();
    if (notification == CBN_SELCHANGE) ProgPicked();
    if (notification == CBN_DROPDOWN) {
      StoreFields();
      model_.ProgDropDown();
      ShowFields();
    }
    return true;
  }
  switch (id) {
    case IDC_btnBrowse:
      StoreFields();
      model_.btnBrowseClick(questions_);
      ShowFields();
      return true;
    case IDC_btnOk:
    case IDOK:
      StoreFields();
      if (model_.btnOkClick()) End(IDOK);
      return true;
    case IDC_btnCancel:
      End(IDCANCEL);
      return true;
    default:
      return false;
  }
}

bool Win32CommandDialogHost::ShowModal(CommandDialogModel& dialog) {
  return CommandDialog(dialog, questions_).Run(owner_) == IDOK;
}

}  // namespace tolm
