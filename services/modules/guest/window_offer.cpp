// A user interface that shows windows as the calls the window module offers.
#include "services/modules/guest/guest.h"

namespace tolm {
namespace {

UserInterface*& Offered() {
  static UserInterface* windows = nullptr;
  return windows;
}

UserInterface& Windows() { return *Offered(); }

}  // namespace

WindowCalls CallsOf(UserInterface& windows) {
  Offered() = &windows;
  WindowCalls calls;
  calls.showInfoDialog = [](const std::string& text, bool endOfRun) noexcept {
    return FailureOf([&] { Windows().ShowInfoDialog(text, endOfRun); });
  };
  calls.showMessage = [](MessageKind kind, const std::string& text) noexcept {
    return FailureOf([&] { Windows().ShowMessage(kind, text); });
  };
  calls.askYesNo = [](const std::string& text, bool& yes) noexcept {
    return FailureOf([&] { yes = Windows().AskYesNo(text); });
  };
  calls.pause = [](const std::string& text) noexcept { return FailureOf([&] { Windows().Pause(text); }); };
  calls.showListDialog = [](bool windowMode) noexcept {
    return FailureOf([&] { Windows().ShowListDialog(windowMode); });
  };
  calls.editCommandFile = [](const std::string& fileName) noexcept {
    return FailureOf([&] { Windows().EditCommandFile(fileName); });
  };
  return calls;
}

}  // namespace tolm
