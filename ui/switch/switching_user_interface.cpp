#include "ui/switch/switching_user_interface.h"

#include <cstdio>
#include <exception>
#include <utility>

namespace tolm {

bool WantsWindows(bool consoleOption, const char* display) {
  return !consoleOption && display != nullptr && display[0] != '\0';
}

SwitchingUserInterface::SwitchingUserInterface(UserInterface& console, LoadWindows loadWindows) : console_(console) {
  if (loadWindows) windows_.emplace(std::move(loadWindows));
}

UserInterface& SwitchingUserInterface::Target() {
  if (!windows_) return console_;
  try {
    return *windows_->Get();
  } catch (const std::exception& e) {
    // One attempt per run: the console serves the rest.
    windows_.reset();
    std::fprintf(stderr, "tolm32: cannot show windows (%s); using the console instead\n", e.what());
    std::fflush(stderr);
    return console_;
  }
}

void SwitchingUserInterface::ShowInfoDialog(const std::string& text, bool endOfRun) {
  Target().ShowInfoDialog(text, endOfRun);
}

void SwitchingUserInterface::ShowMessage(MessageKind kind, const std::string& text) {
  Target().ShowMessage(kind, text);
}

bool SwitchingUserInterface::AskYesNo(const std::string& text) { return Target().AskYesNo(text); }

void SwitchingUserInterface::Pause(const std::string& text) { Target().Pause(text); }

void SwitchingUserInterface::ShowListDialog(bool windowMode) { Target().ShowListDialog(windowMode); }

void SwitchingUserInterface::EditCommandFile(const std::string& fileName) { Target().EditCommandFile(fileName); }

}  // namespace tolm
