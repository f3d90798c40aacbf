// The window module's side of its boundary with the program: the Qt user
// interface with every call guarded. No exception may cross back into the
// program (see services/modules/window_module.h): a failure is reported with
// ReportWindowFailure and raised by the program once the call has returned.
#pragma once

#include "services/seams/user_interface.h"

namespace tolm {

class BoundaryUserInterface : public UserInterface {
 public:
  // inner (not owned) does the work.
  explicit BoundaryUserInterface(UserInterface& inner) : inner_(inner) {}

  void ShowInfoDialog(const std::string& text, bool endOfRun) noexcept override;
  void ShowMessage(MessageKind kind, const std::string& text) noexcept override;
  bool AskYesNo(const std::string& text) noexcept override;
  void Pause(const std::string& text) noexcept override;
  void ShowListDialog(bool windowMode) noexcept override;
  void EditCommandFile(const std::string& fileName) noexcept override;

 private:
  UserInterface& inner_;
};

}  // namespace tolm
