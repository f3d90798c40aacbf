#include "ui/win32/win32_user_interface.h"

#include "ui/core/run_for_form.h"
#include "ui/win32/about_dialog.h"
#include "ui/win32/command_dialog.h"
#include "ui/win32/editor_dialog.h"
#include "ui/win32/info_dialog.h"
#include "ui/win32/message_boxes.h"
#include "ui/win32/win32_user_questions.h"

namespace tolm {

void Win32UserInterface::ShowInfoDialog(const std::string& text, bool) { InfoDialog(text).Run(); }

void Win32UserInterface::ShowMessage(MessageKind kind, const std::string& text) { ShowMessageBox(kind, text); }

bool Win32UserInterface::AskYesNo(const std::string& text) { return AskYesNoBox(text); }

void Win32UserInterface::ShowListDialog(bool windowMode) {
  ListDialog dialog(windowMode, listQuestions_,
                    [this](const std::string& message) { ShowMessage(MessageKind::Error, message); });
  dialog.Run();
}

void Win32UserInterface::EditCommandFile(const std::string& fileName) {
  Win32UserQuestions questions;
  Win32CommandDialogHost commandDialog(questions);
  EditorDialog editor(questions, commandDialog, [](HWND owner) {
    AboutDialog([](const std::string& text) { RunCommandTextShowingFailure(text); }).Run(owner);
  });
  // The editor's dialogs open over it.
  editor.onOpen = [&](HWND window) {
    questions.SetOwner(window);
    commandDialog.SetOwner(window);
  };
  editor.Edit(fileName);
}

UserInterface* WindowsFormsUserInterface() {
  static Win32UserInterface forms;
  return &forms;
}

}  // namespace tolm
