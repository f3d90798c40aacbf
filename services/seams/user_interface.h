// The seam between the program's logic and whatever shows things to the user.
// The console implementation writes to the standard streams; a GUI one shows
// dialogs. Tests install a recording fake.
#pragma once

#include <string>

namespace tolm {

enum class MessageKind { Information, Warning, Error };

class UserInterface {
 public:
  virtual ~UserInterface() = default;
  // The "Information" dialog: one long text (parse reports, trace output).
  // endOfRun marks the dialog that shows the output collected by a run.
  virtual void ShowInfoDialog(const std::string& text, bool endOfRun) = 0;
  // A message box with one OK button, captioned "Information", "Warning" or "Error".
  virtual void ShowMessage(MessageKind kind, const std::string& text) = 0;
  // A "Confirm" box with Yes and No; true for Yes.
  virtual bool AskYesNo(const std::string& text) = 0;
  // "/pause": shows the message and waits for the user to acknowledge it.
  virtual void Pause(const std::string& text) { ShowMessage(MessageKind::Information, text); }
  // "/plist" (windowMode false) and "/wlist" (true): the list of running
  // programs or of window titles; returns when the user is done with it.
  virtual void ShowListDialog(bool windowMode) { (void)windowMode; }
  // "/edit": the command file editor, with fileName loaded when not empty.
  virtual void EditCommandFile(const std::string& fileName) { (void)fileName; }
};

// The interface in use. Until one is installed, a silent one that answers No.
UserInterface& CurrentUserInterface();
// Installs ui (not owned); nullptr restores the silent one.
void SetUserInterface(UserInterface* ui);

// The message boxes ("/pause" has its own: UserInterface::Pause).
void ShowWarning(const std::string& text);
void ShowError(const std::string& text);
bool AskYesNo(const std::string& text);

}  // namespace tolm
