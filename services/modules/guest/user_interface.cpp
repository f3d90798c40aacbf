// The program's user interface as a module's code reaches it (an error box
// from the editor's models, a parse report): the program's current one,
// through the host, whatever it is.
#include "services/modules/guest/guest.h"
#include "services/seams/user_interface.h"

namespace tolm {
namespace {

class HostUserInterface : public UserInterface {
 public:
  void ShowInfoDialog(const std::string& text, bool endOfRun) override {
    RaiseFailure(Host().showInfoDialog(text, endOfRun));
  }
  void ShowMessage(MessageKind kind, const std::string& text) override {
    RaiseFailure(Host().showMessage(kind, text));
  }
  bool AskYesNo(const std::string& text) override {
    bool yes = false;
    RaiseFailure(Host().askYesNo(text, yes));
    return yes;
  }
};

}  // namespace

UserInterface& CurrentUserInterface() {
  static HostUserInterface host;
  return host;
}

void ShowWarning(const std::string& text) { CurrentUserInterface().ShowMessage(MessageKind::Warning, text); }
void ShowError(const std::string& text) { CurrentUserInterface().ShowMessage(MessageKind::Error, text); }
bool AskYesNo(const std::string& text) { return CurrentUserInterface().AskYesNo(text); }

}  // namespace tolm
