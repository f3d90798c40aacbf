#include "ui/qt/module/boundary_user_interface.h"


#include "services/modules/module_boundary.h"

namespace tolm {
namespace {

// Runs one call of the module's work; what it throws is reported instead.
template <typename Call>
void Guarded(Call call) noexcept {
  GuardedModuleCall(call, "unknown failure in the window module");
}

}  // namespace

void BoundaryUserInterface::ShowInfoDialog(const std::string& text, bool endOfRun) noexcept {
  Guarded([&] { inner_.ShowInfoDialog(text, endOfRun); });
}

void BoundaryUserInterface::ShowMessage(MessageKind kind, const std::string& text) noexcept {
  Guarded([&] { inner_.ShowMessage(kind, text); });
}

bool BoundaryUserInterface::AskYesNo(const std::string& text) noexcept {
  bool yes = false;
  Guarded([&] { yes = inner_.AskYesNo(text); });
  return yes;
}

void BoundaryUserInterface::Pause(const std::string& text) noexcept {
  Guarded([&] { inner_.Pause(text); });
}

void BoundaryUserInterface::ShowListDialog(bool windowMode) noexcept {
  Guarded([&] { inner_.ShowListDialog(windowMode); });
}

void BoundaryUserInterface::EditCommandFile(const std::string& fileName) noexcept {
  Guarded([&] { inner_.EditCommandFile(fileName); });
}

}  // namespace tolm
