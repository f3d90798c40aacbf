#include "services/seams/user_interface.h"

namespace tolm {
namespace {

class SilentUserInterface : public UserInterface {
 public:
  void ShowInfoDialog(const std::string&, bool) override {}
  void ShowMessage(MessageKind, const std::string&) override {}
  bool AskYesNo(const std::string&) override { return false; }
};

UserInterface*& Installed() {
  static UserInterface* ui = nullptr;
  return ui;
}

}  // namespace

UserInterface& CurrentUserInterface() {
  static SilentUserInterface silent;
  return Installed() ? *Installed() : silent;
}

void SetUserInterface(UserInterface* ui) { Installed() = ui; }

void ShowWarning(const std::string& text) { CurrentUserInterface().ShowMessage(MessageKind::Warning, text); }
void ShowError(const std::string& text) { CurrentUserInterface().ShowMessage(MessageKind::Error, text); }
bool AskYesNo(const std::string& text) { return CurrentUserInterface().AskYesNo(text); }

}  // namespace tolm
