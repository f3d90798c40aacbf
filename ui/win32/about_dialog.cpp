#include "ui/win32/about_dialog.h"

#include "services/core/version.h"
#include "services/platform/windows/win_program_icon.h"
#include "ui/win32/resource.h"
#include "ui/win32/win32_text.h"

namespace tolm {
namespace {

// The dialog's own font, larger and bold, or underlined.
HFONT DerivedFont(HWND dialog, int heightPercent, int weight, bool underline) {
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
  font.lfHeight = font.lfHeight * heightPercent / 100;
  font.lfWeight = weight;
  font.lfUnderline = underline ? TRUE : FALSE;
  return CreateFontIndirectA(&font);
}

}  // namespace

AboutDialog::AboutDialog(std::function<void(const std::string&)> runCommandText)
    : ModalDialog(IDD_frmAbout), runCommandText_(std::move(runCommandText)) {}

AboutDialog::~AboutDialog() {
  if (largeFont_) DeleteObject(largeFont_);
  if (linkFont_) DeleteObject(linkFont_);
}

void AboutDialog::OnInit() {
  SendMessageA(Item(IDC_Image1), STM_SETICON, reinterpret_cast<WPARAM>(ProgramIcon(kAboutIconPixels)), 0);
  SetDlgItemTextA(Window(), IDC_Label2, (std::string("Version ") + kProgramVersion).c_str());
  SetDlgItemTextA(Window(), IDC_Label6, kAboutDownloadAddress);
  if (!largeFont_) largeFont_ = DerivedFont(Window(), 160, FW_BOLD, false);
  if (!linkFont_) linkFont_ = DerivedFont(Window(), 100, FW_NORMAL, true);
  for (int id : {IDC_Label1, IDC_Label2}) SendMessageA(Item(id), WM_SETFONT, reinterpret_cast<WPARAM>(largeFont_), TRUE);
  SendMessageA(Item(IDC_Label6), WM_SETFONT, reinterpret_cast<WPARAM>(linkFont_), TRUE);
}

bool AboutDialog::OnCommand(int id, int notification) {
  if (id == IDC_btnOk || id == IDOK) {
    End(IDOK);
    return true;
  }
  if (id == IDC_Label6 && notification == STN_CLICKED) {
    Label6Click();
    return true;
  }
  return false;
}

// The address in blue, with the up-arrow pointer over it.
bool AboutDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  if (message == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lParam) == Item(IDC_Label6)) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, RGB(0, 0, 255));
    SetBkMode(dc, TRANSPARENT);
    result = reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    return true;
  }
  if (message == WM_SETCURSOR && reinterpret_cast<HWND>(wParam) == Item(IDC_Label6)) {
    SetCursor(LoadCursorA(nullptr, IDC_UPARROW));
    result = TRUE;
    return true;
  }
  return false;
}

void AboutDialog::Label6Click() { runCommandText_('"' + DialogItemText(Window(), IDC_Label6) + '"'); }

}  // namespace tolm
