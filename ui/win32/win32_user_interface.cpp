#include "ui/win32/win32_user_interface.h"

#include "ui/win32/info_dialog.h"
#include "ui/win32/message_boxes.h"

namespace tolm {

void Win32UserInterface::ShowInfoDialog(const std::string& text, bool) { InfoDialog(text).Run(); }

void Win32UserInterface::ShowMessage(MessageKind kind, const std::string& text) { ShowMessageBox(kind, text); }

bool Win32UserInterface::AskYesNo(const std::string& text) { return AskYesNoBox(text); }

void Win32UserInterface::ShowListDialog(bool windowMode) {
  ListDialog dialog(windowMode, listQuestions_,
                    [this](const std::string& message) { ShowMessage(MessageKind::Error, message); });
  dialog.Run();
}

UserInterface* WindowsFormsUserInterface() {
  static Win32UserInterface forms;
  return &forms;
}

}  // namespace tolm
