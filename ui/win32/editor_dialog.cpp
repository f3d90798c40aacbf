#include "ui/win32/editor_dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <exception>
#include <utility>
#include <vector>

#include "services/seams/event_pump.h"
#include "services/seams/user_interface.h"
#include "ui/core/form_event.h"
#include "ui/win32/resource.h"
#include "ui/win32/win32_text.h"

namespace tolm {
namespace {

// The status panel widths in pixels: the message line and "Modified".
constexpr int kPanelEdges[] = {450, 500};

// The list's keys and the virtual key codes the model knows them by.
constexpr std::array<std::pair<WPARAM, int>, 3> kListKeys = {{
    {VK_RETURN, kKeyEnter},
    {VK_INSERT, kKeyInsert},
    {VK_DELETE, kKeyDelete},
}};

RECT ItemRect(HWND dialog, HWND item) {
  RECT r;
  GetWindowRect(item, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::string ListItemText(HWND list, int index) {
  LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  std::vector<char> text(static_cast<size_t>(length < 0 ? 0 : length) + 1);
  SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  return text.data();
}

}  // namespace

EditorDialog::EditorDialog(UserQuestions& questions, CommandDialogHost& commandDialog,
                           std::function<void(HWND)> showAbout)
    : ModalDialog(IDD_frmTolmWiz),
      model_(questions, commandDialog,
             EditorActions{{}, [] { MessageBeep(0); }, [this](bool busy) { ShowBusy(busy); }}),
      showAbout_(std::move(showAbout)) {}

void EditorDialog::Edit(const std::string& fileName) {
  fileName_ = fileName;
  // The status bar's window class, before the template creates the bar.
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  HMENU menus = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_PopupMenu1));
  popup_ = GetSubMenu(menus, 0);
  try {
    Run(nullptr);
  } catch (...) {
    DestroyMenu(menus);
    throw;
  }
  DestroyMenu(menus);
}

void EditorDialog::OnInit() {
  margin_ = ItemRect(Window(), Item(IDC_List1)).left;
  SendMessageA(Item(IDC_StatusBar1), SB_SETPARTS, std::size(kPanelEdges), reinterpret_cast<LPARAM>(kPanelEdges));
  if (onOpen) onOpen(Window());
  RECT client;
  GetClientRect(Window(), &client);
  Layout(client.right, client.bottom);
  Handle([this] { model_.Start(fileName_); });
}

void EditorDialog::Handle(const std::function<void()>& handler) {
  RunFormEvent({[this] { TakeSelection(); }, [this] { ShowModel(); }}, handler);
}

void EditorDialog::TakeSelection() {
  HWND list = Item(IDC_List1);
  int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count && static_cast<size_t>(i) < model_.Lines().size(); ++i)
    model_.SetSelected(static_cast<size_t>(i), SendMessageA(list, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0);
  model_.SetItemIndex(count == 0 ? -1 : static_cast<int>(SendMessageA(list, LB_GETCARETINDEX, 0, 0)));
}

void EditorDialog::ShowModel() {
  SetWindowTextA(Window(), model_.Caption().c_str());
  ShowLines();
  HWND status = Item(IDC_StatusBar1);
  SendMessageA(status, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(model_.StatusMessage().c_str()));
  SendMessageA(status, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(model_.ModifiedPanel().c_str()));
}

void EditorDialog::ShowLines() {
  HWND list = Item(IDC_List1);
  const std::vector<std::string>& lines = model_.Lines();
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  while (count > static_cast<int>(lines.size())) SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(--count), 0);
  for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
    const std::string& line = lines[static_cast<size_t>(i)];
    if (i < count && ListItemText(list, i) == line) continue;
    if (i < count) SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(i), 0);
    SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line.c_str()));
    count = std::max(count, i + 1);
  }
  for (size_t i = 0; i < lines.size(); ++i)
    SendMessageA(list, LB_SETSEL, model_.IsSelected(i) ? TRUE : FALSE, static_cast<LPARAM>(i));
  int current = model_.ItemIndex();
  if (current >= 0 && current < static_cast<int>(lines.size())) {
    SendMessageA(list, LB_SETCARETINDEX, static_cast<WPARAM>(current), FALSE);
  }
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

// A run: the "Running" caption and the hourglass show, and the editor takes
// no input until the run ends.
void EditorDialog::ShowBusy(bool busy) {
  if (busy) SetWindowTextA(Window(), model_.Caption().c_str());
  SetCursor(LoadCursorA(nullptr, busy ? IDC_WAIT : IDC_ARROW));
  EnableWindow(Window(), busy ? FALSE : TRUE);
  ProcessPendingMessages();
}

void EditorDialog::Close() {
  bool mayClose = true;
  Handle([this, &mayClose] { mayClose = model_.OnCloseQuery(); });
  if (mayClose) End(IDOK);
}

bool EditorDialog::OnMenu(int id) {
  using Handler = void (EditorModel::*)();
  static constexpr std::pair<int, Handler> kMenu[] = {
      {IDM_New1, &EditorModel::New1Click},
      {IDM_Open1, &EditorModel::Open1Click},
      {IDM_Run1, &EditorModel::Run1Click},
      {IDM_NewCommand1, &EditorModel::NewCommand1Click},
      {IDM_NewCommand2, &EditorModel::NewCommand1Click},
      {IDM_EditCommand1, &EditorModel::EditCommand1Click},
      {IDM_EditCommand2, &EditorModel::EditCommand1Click},
      {IDM_DeleteCommand1, &EditorModel::DeleteCommand1Click},
      {IDM_DeleteCommand2, &EditorModel::DeleteCommand1Click},
      {IDM_Replace1, &EditorModel::Replace1Click},
      {IDC_btnUp, &EditorModel::btnUpClick},
      {IDC_btnDown, &EditorModel::btnDownClick},
  };
  for (auto [item, handler] : kMenu) {
    if (item == id) {
      Handle([this, handler = handler] { (model_.*handler)(); });
      return true;
    }
  }
  return false;
}

bool EditorDialog::OnCommand(int id, int notification) {
  if (OnMenu(id)) return true;
  switch (id) {
    case IDM_Save1:
      Handle([this] { model_.Save1Click(); });
      return true;
    case IDM_SaveAs1:
      Handle([this] { model_.SaveAs1Click(); });
      return true;
    case IDM_Exit1:
      Close();
      return true;
    case IDM_About1:
      if (showAbout_) Handle([this] { showAbout_(Window()); });
      return true;
    case IDC_List1:
      if (notification == LBN_DBLCLK) Handle([this] { model_.List1DblClick(); });
      return true;
    case IDOK:  // Enter: the dialog manager's default command
      if (GetFocus() == Item(IDC_List1)) Handle([this] { model_.List1KeyDown(kKeyEnter); });
      return true;
    case IDCANCEL:  // Escape does not close the editor
      return true;
    default:
      return false;
  }
}

bool EditorDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  switch (message) {
    case WM_CLOSE:
      Close();
      result = 0;
      return true;
    case WM_SIZE:
      Layout(LOWORD(lParam), HIWORD(lParam));
      result = 0;
      return true;
    case WM_VKEYTOITEM:
      for (const auto& [key, virtualKey] : kListKeys) {
        if (LOWORD(wParam) == key) {
          Handle([this, virtualKey = virtualKey] { model_.List1KeyDown(virtualKey); });
          result = -2;  // handled: the list does nothing more
          return true;
        }
      }
      result = -1;
      return true;
    case WM_CONTEXTMENU: {
      POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      if (at.x == -1 && at.y == -1) GetCursorPos(&at);  // from the keyboard
      TrackPopupMenu(popup_, TPM_RIGHTBUTTON, at.x, at.y, 0, Window(), nullptr);
      result = 0;
      return true;
    }
    default:
      return false;
  }
}

// The list takes what the window gains; the "Move" buttons stay beside it,
// centred on its height; the status bar sits at the bottom.
void EditorDialog::Layout(int width, int height) {
  if (margin_ == 0) return;  // before the controls are measured
  HWND status = Item(IDC_StatusBar1);
  SendMessageA(status, WM_SIZE, 0, 0);
  RECT bar = ItemRect(Window(), status);
  int bottom = height - (bar.bottom - bar.top) - margin_;
  RECT up = ItemRect(Window(), Item(IDC_btnUp));
  RECT label = ItemRect(Window(), Item(IDC_Label2));
  int column = label.right - label.left;
  int listWidth = width - 3 * margin_ - column;
  MoveWindow(Item(IDC_List1), margin_, margin_, listWidth, bottom - margin_, TRUE);
  int left = width - margin_ - column;
  int buttonHeight = up.bottom - up.top;
  int labelHeight = label.bottom - label.top;
  int top = margin_ + (bottom - margin_ - 2 * buttonHeight - labelHeight) / 2;
  int buttonLeft = left + (column - (up.right - up.left)) / 2;
  MoveWindow(Item(IDC_btnUp), buttonLeft, top, up.right - up.left, buttonHeight, TRUE);
  MoveWindow(Item(IDC_Label2), left, top + buttonHeight, column, labelHeight, TRUE);
  MoveWindow(Item(IDC_btnDown), buttonLeft, top + buttonHeight + labelHeight, up.right - up.left, buttonHeight, TRUE);
}

}  // namespace tolm
