#include "ui/win32/list_dialog.h"

#include "ui/core/list_dialog_calls.h"
#include "ui/win32/input_box.h"
#include "ui/win32/resource.h"

namespace tolm {
namespace {

constexpr int kButtons[] = {IDC_Button1, IDC_Button2, IDC_Button3};

RECT ItemRect(HWND dialog, HWND item) {
  RECT r;
  GetWindowRect(item, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace

ListDialog::ListDialog(bool windowMode, UserQuestions& questions, ShowError showError)
    : ModalDialog(IDD_TfrmTolmPList), questions_(questions), showError_(std::move(showError)) {
  model_.WindowMode = windowMode;
}

// The dialog lists every entry as it opens (the form's activation). Coming
// back to it later (from the find box, another program) must not undo a
// search, so only the opening counts.
void ListDialog::OnInit() {
  margin_ = ItemRect(Window(), Item(IDC_PList)).left;
  Show(ListDialogActivate(model_));
}

bool ListDialog::OnCommand(int id, int) {
  switch (id) {
    case IDC_Button1:
    case IDOK:
      End(IDOK);
      return true;
    case IDC_Button2:
      Show(ListDialogRefreshAll(model_));
      return true;
    case IDC_Button3:
      Show(ListDialogFind(model_, questions_));
      return true;
    default:
      return false;
  }
}

bool ListDialog::OnMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR& result) {
  if (message != WM_SIZE) return false;
  Layout(LOWORD(lParam), HIWORD(lParam));
  result = 0;
  return true;
}

void ListDialog::Show(const std::string& failure) {
  SetWindowTextA(Window(), model_.Caption.c_str());
  HWND list = Item(IDC_PList);
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (const std::string& entry : model_.Items) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  if (!failure.empty() && showError_) showError_(failure);
}

// The list takes what the dialog gains; the buttons stay at the bottom.
void ListDialog::Layout(int width, int height) {
  int listBottom = height;
  for (int id : kButtons) {
    RECT r = ItemRect(Window(), Item(id));
    int top = height - margin_ - (r.bottom - r.top);
    MoveWindow(Item(id), r.left, top, r.right - r.left, r.bottom - r.top, TRUE);
    listBottom = top - margin_;
  }
  MoveWindow(Item(IDC_PList), margin_, margin_, width - 2 * margin_, listBottom - margin_, TRUE);
}

std::optional<std::string> ListDialogQuestions::InputBox(const std::string& caption, const std::string& prompt,
                                                         const std::string& defaultText) {
  // A box that fails fails the search, which shows its error (ListDialogFind).
  return tolm::InputBox(caption, prompt, defaultText).Ask(GetActiveWindow());
}

}  // namespace tolm
