// The user interface in Qt windows: the message boxes, the "Information"
// dialog and the list dialog, each shown modally with no owner (the program
// has no main window). Used from the main thread only.
#pragma once

#include "services/seams/user_interface.h"
#include "ui/qt/dialog_runner.h"
#include "ui/qt/list_dialog.h"

namespace tolm {

class QtUserInterface : public UserInterface {
 public:
  // runner shows each dialog modally; tests pass one that answers it.
  explicit QtUserInterface(DialogRunner runner = ExecDialog);

  void ShowInfoDialog(const std::string& text, bool endOfRun) override;
  void ShowMessage(MessageKind kind, const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  // "/pause" is an "Information" box (the base class's Pause).
  void ShowListDialog(bool windowMode) override;
  // The command file editor, shown until the user closes it.
  void EditCommandFile(const std::string& fileName) override;

 private:
  DialogRunner runner_;
  ListDialogQuestions listQuestions_;
};

}  // namespace tolm
