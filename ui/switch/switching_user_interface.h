// The user interface the program runs with: the console one, or windows.
// Windows are used with a display and without --console; their module is
// loaded (Lazy) on the first call that must show something, so a run that
// shows nothing never loads the toolkit nor connects it to the display. When
// the module cannot be had, one line on standard error says why and the
// console serves the rest of the run.
#pragma once

#include <functional>
#include <optional>

#include "services/core/lazy.h"
#include "services/seams/user_interface.h"

namespace tolm {

// Whether a run shows windows: a display is named and --console was not given.
bool WantsWindows(bool consoleOption, const char* display);

class SwitchingUserInterface : public UserInterface {
 public:
  // Loads the windowed interface; throws Exception with the reason when it
  // cannot. The interface returned is not owned and must outlive this one.
  using LoadWindows = std::function<UserInterface*()>;

  // console (not owned) serves everything when loadWindows is empty or fails.
  SwitchingUserInterface(UserInterface& console, LoadWindows loadWindows);

  void ShowInfoDialog(const std::string& text, bool endOfRun) override;
  void ShowMessage(MessageKind kind, const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  void Pause(const std::string& text) override;
  void ShowListDialog(bool windowMode) override;
  void EditCommandFile(const std::string& fileName) override;

  // Whether the windowed interface is loaded (after a first call).
  bool ShowsWindows() const { return windows_ && windows_->Made(); }

 private:
  // The interface that serves the next call: loads the windows on first use.
  UserInterface& Target();

  UserInterface& console_;
  std::optional<Lazy<UserInterface*>> windows_;  // empty: the console serves all
};

}  // namespace tolm
