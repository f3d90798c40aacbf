// The user interface in native Windows forms: the system's message boxes,
// the "Information" dialog, the list dialog and the command file editor,
// each shown modally with no owner (the program has no main window).
#pragma once

#include "services/seams/user_interface.h"
#include "ui/win32/list_dialog.h"

namespace tolm {

class Win32UserInterface : public UserInterface {
 public:
  void ShowInfoDialog(const std::string& text, bool endOfRun) override;
  void ShowMessage(MessageKind kind, const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  // "/pause" is an "Information" box (the base class's Pause).
  void ShowListDialog(bool windowMode) override;
  // The command file editor, shown until the user closes it.
  void EditCommandFile(const std::string& fileName) override;

 private:
  ListDialogQuestions listQuestions_;
};

// The one the Windows program installs when it does not talk through the
// console (lives for the whole run).
UserInterface* WindowsFormsUserInterface();

}  // namespace tolm
