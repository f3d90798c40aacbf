#include "ui/switch/switching_user_interface.h"

#include <cstdio>
#include <exception>
#include <utility>

#include "services/modules/window_module.h"

namespace tolm {

bool WantsWindows(bool consoleOption, const char* display) {
  return !consoleOption && display != nullptr && display[0] != '\0';
}

SwitchingUserInterface::SwitchingUserInterface(UserInterface& console, LoadWindows loadWindows)
    : console_(console), loadWindows_(std::move(loadWindows)) {}

UserInterface& SwitchingUserInterface::Target() {
  if (windows_) return *windows_;
  if (!loadWindows_) return console_;
  LoadWindows load = std::exchange(loadWindows_, nullptr);  // one attempt per run
  try {
    windows_ = load();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tolm32: cannot show windows (%s); using the console instead\n", e.what());
    std::fflush(stderr);
  }
  return windows_ ? *windows_ : console_;
}

void SwitchingUserInterface::RaiseFailure() const {
  if (windows_) RaiseReportedWindowFailure();
}

void SwitchingUserInterface::ShowInfoDialog(const std::string& text, bool endOfRun) {
  Target().ShowInfoDialog(text, endOfRun);
  RaiseFailure();
}

void SwitchingUserInterface::ShowMessage(MessageKind kind, const std::string& text) {
  Target().ShowMessage(kind, text);
  RaiseFailure();
}

bool SwitchingUserInterface::AskYesNo(const std::string& text) {
  bool yes = Target().AskYesNo(text);
  RaiseFailure();
  return yes;
}

void SwitchingUserInterface::Pause(const std::string& text) {
  Target().Pause(text);
  RaiseFailure();
}

void SwitchingUserInterface::ShowListDialog(bool windowMode) {
  Target().ShowListDialog(windowMode);
  RaiseFailure();
}

void SwitchingUserInterface::EditCommandFile(const std::string& fileName) {
  Target().EditCommandFile(fileName);
  RaiseFailure();
}

}  // namespace tolm
