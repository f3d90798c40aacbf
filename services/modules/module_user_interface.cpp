#include "services/modules/module_user_interface.h"

namespace tolm {
namespace {

class ModuleUserInterface : public UserInterface {
 public:
  explicit ModuleUserInterface(const WindowCalls& calls) : calls_(calls) {}

  void ShowInfoDialog(const std::string& text, bool endOfRun) override {
    RaiseFailure(calls_.showInfoDialog(text, endOfRun));
  }
  void ShowMessage(MessageKind kind, const std::string& text) override {
    RaiseFailure(calls_.showMessage(kind, text));
  }
  bool AskYesNo(const std::string& text) override {
    bool yes = false;
    RaiseFailure(calls_.askYesNo(text, yes));
    return yes;
  }
  void Pause(const std::string& text) override { RaiseFailure(calls_.pause(text)); }
  void ShowListDialog(bool windowMode) override { RaiseFailure(calls_.showListDialog(windowMode)); }
  void EditCommandFile(const std::string& fileName) override { RaiseFailure(calls_.editCommandFile(fileName)); }

 private:
  WindowCalls calls_;
};

}  // namespace

std::unique_ptr<UserInterface> UserInterfaceOf(const WindowCalls& calls) {
  return std::make_unique<ModuleUserInterface>(calls);
}

}  // namespace tolm
