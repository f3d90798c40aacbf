#include "ui/win32/info_dialog.h"

#include "ui/win32/resource.h"
#include "ui/win32/win32_text.h"

namespace tolm {
namespace {

RECT ItemRect(HWND dialog, HWND item) {
  RECT r;
  GetWindowRect(item, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace

InfoDialog::InfoDialog(std::string text) : ModalDialog(IDD_TTolmInfoDlg), text_(std::move(text)) {}

void InfoDialog::OnInit() {
  RECT msg = ItemRect(Window(), Item(IDC_Msg));
  RECT ok = ItemRect(Window(), Item(IDC_OKBtn));
  margin_ = msg.left;
  buttonGap_ = ok.top - msg.bottom;
  // A fixed-pitch font, so that columns in reports line up.
  SendMessageA(Item(IDC_Msg), WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(ANSI_FIXED_FONT)), FALSE);
  SendMessageA(Item(IDC_Msg), EM_SETLIMITTEXT, 0, 0);  // no limit but memory
  SetDlgItemTextA(Window(), IDC_Msg, WithCrLf(text_).c_str());
  SetFocus(Item(IDC_OKBtn));
}

bool InfoDialog::OnCommand(int id, int) {
  if (id != IDC_OKBtn && id != IDOK) return false;
  End(IDOK);
  return true;
}

bool InfoDialog::OnMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR& result) {
  if (message != WM_SIZE) return false;
  Layout(LOWORD(lParam), HIWORD(lParam));
  result = 0;
  return true;
}

// The text box takes every pixel the dialog gains; the button stays centred
// at the bottom edge.
void InfoDialog::Layout(int width, int height) {
  RECT ok = ItemRect(Window(), Item(IDC_OKBtn));
  int buttonWidth = ok.right - ok.left;
  int buttonHeight = ok.bottom - ok.top;
  int buttonTop = height - margin_ - buttonHeight;
  MoveWindow(Item(IDC_OKBtn), (width - buttonWidth) / 2, buttonTop, buttonWidth, buttonHeight, TRUE);
  MoveWindow(Item(IDC_Msg), margin_, margin_, width - 2 * margin_, buttonTop - buttonGap_ - margin_, TRUE);
}

}  // namespace tolm
