// The command dialog "Enter command line and options": a view over
// CommandDialogModel. The combo box's typing, picking and opening and the
// buttons call the model's handlers; "&OK" closes only when the model allows.
#pragma once

#include "ui/core/command_mapping.h"
#include "ui/core/user_questions.h"
#include "ui/win32/modal_dialog.h"

namespace tolm {

class CommandDialog : public ModalDialog {
 public:
  // questions answers "Browse..." (not owned).
  CommandDialog(CommandDialogModel& model, UserQuestions& questions);

 protected:
  void OnInit() override;
  bool OnCommand(int id, int notification) override;

 private:
  void StoreFields();
  void ShowFields();
  void ShowCaptions();
  void ProgChange();
  void ProgPicked();
  bool Checked(int id) const;

  CommandDialogModel& model_;
  UserQuestions& questions_;
  bool showing_ = false;
};

// Shows the command dialog modally over the owner (the editor).
class Win32CommandDialogHost : public CommandDialogHost {
 public:
  explicit Win32CommandDialogHost(UserQuestions& questions) : questions_(questions) {}
  void SetOwner(HWND owner) { owner_ = owner; }
  bool ShowModal(CommandDialogModel& dialog) override;

 private:
  UserQuestions& questions_;
  HWND owner_ = nullptr;
};

}  // namespace tolm
