#include "ui/win32/message_boxes.h"

#include <windows.h>

#include "ui/win32/win32_text.h"

namespace tolm {
namespace {

struct BoxKind {
  MessageKind kind;
  const char* caption;
  UINT icon;
};

constexpr BoxKind kBoxKinds[] = {
    {MessageKind::Information, "Information", MB_ICONINFORMATION},
    {MessageKind::Warning, "Warning", MB_ICONWARNING},
    {MessageKind::Error, "Error", MB_ICONERROR},
};

const BoxKind& KindOf(MessageKind kind) {
  for (const BoxKind& k : kBoxKinds) {
    if (k.kind == kind) return k;
  }
  return kBoxKinds[0];
}

// Above other windows: the box has no owner, and the program started from a
// console or a shortcut has none of its own in front.
constexpr UINT kCommonStyle = MB_SETFOREGROUND | MB_TASKMODAL;

}  // namespace

void ShowMessageBox(MessageKind kind, const std::string& text) {
  const BoxKind& k = KindOf(kind);
  MessageBoxA(nullptr, WithCrLf(text).c_str(), k.caption, MB_OK | k.icon | kCommonStyle);
}

bool AskYesNoBox(const std::string& text) {
  // MB_YESNO has no Cancel button, so the close box and Escape are disabled;
  // the answer is Yes only when Yes was chosen.
  int answer = MessageBoxA(nullptr, WithCrLf(text).c_str(), "Confirm", MB_YESNO | MB_ICONQUESTION | kCommonStyle);
  return answer == IDYES;
}

}  // namespace tolm
