// The console user interface: dialogs and message boxes become text on the
// standard streams, for runs without a desktop (or with --console).
#pragma once

#include "services/seams/user_interface.h"

namespace tolm {

class ConsoleUserInterface : public UserInterface {
 public:
  // The end-of-run "Information" dialog goes to standard output, every other
  // text to standard error; CR LF pairs are printed as line feeds.
  void ShowInfoDialog(const std::string& text, bool endOfRun) override;
  void ShowMessage(MessageKind kind, const std::string& text) override;
  // Asks on a terminal; answers No when standard input is not one.
  bool AskYesNo(const std::string& text) override;
  // Prints the message and, on a terminal, waits for Enter.
  void Pause(const std::string& text) override;
  // Prints the list the dialog would show, one entry per line, to standard output.
  void ShowListDialog(bool windowMode) override;
  // The editor is a window: it fails with a clear message.
  void EditCommandFile(const std::string& fileName) override;
};

}  // namespace tolm
