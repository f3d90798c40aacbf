#include "win32/modal_driver.h"

#include <gtest/gtest.h>

namespace tolm::testing {
namespace {

ModalDriver* g_driver = nullptr;  // one at a time, on the test's thread
constexpr UINT kTickMs = 5;
constexpr DWORD kLimitMs = 5000;

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string TextOf(HWND window) {
  char text[4096] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

struct Search {
  const std::set<HWND>* seen;
  HWND found = nullptr;
};

BOOL CALLBACK FindNew(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  if (!IsWindowVisible(window) || ClassOf(window) != "#32770" || search->seen->count(window)) return TRUE;
  search->found = window;
  return FALSE;
}

BOOL CALLBACK AddControl(HWND window, LPARAM param) {
  reinterpret_cast<std::vector<Control>*>(param)->push_back(
      {ClassOf(window), GetDlgCtrlID(window), TextOf(window)});
  return TRUE;
}

}  // namespace

ModalDriver::ModalDriver(std::vector<Step> steps) : steps_(std::move(steps)), started_(GetTickCount()) {
  g_driver = this;
  timer_ = SetTimer(nullptr, 0, kTickMs, &Tick);
}

ModalDriver::~ModalDriver() {
  KillTimer(nullptr, timer_);
  g_driver = nullptr;
}

void CALLBACK ModalDriver::Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (g_driver) g_driver->DriveNewDialog();
}

void ModalDriver::DriveNewDialog() {
  std::erase_if(seen_, [](HWND closed) { return !IsWindow(closed); });
  Search search{&seen_};
  EnumThreadWindows(GetCurrentThreadId(), &FindNew, reinterpret_cast<LPARAM>(&search));
  if (!search.found) {
    if (GetTickCount() - started_ > kLimitMs) {
      for (HWND open : seen_) EndDialog(open, IDCANCEL);
    }
    return;
  }
  HWND dialog = search.found;
  seen_.insert(dialog);
  titles.push_back(TextOf(dialog));
  if (next_ == steps_.size()) {
    ADD_FAILURE() << "unexpected dialog \"" << titles.back() << "\"";
    EndDialog(dialog, IDCANCEL);
    return;
  }
  started_ = GetTickCount();
  steps_[next_++](dialog);  // may show the next dialog, driven from within
}

std::vector<Control> Controls(HWND window) {
  std::vector<Control> controls;
  EnumChildWindows(window, &AddControl, reinterpret_cast<LPARAM>(&controls));
  return controls;
}

void Click(HWND dialog, int id) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::vector<std::string> ListEntries(HWND list) {
  std::vector<std::string> entries;
  LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    std::vector<char> buffer(static_cast<size_t>(length < 0 ? 0 : length) + 1);
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer.data()));
    entries.emplace_back(buffer.data());
  }
  return entries;
}

}  // namespace tolm::testing
