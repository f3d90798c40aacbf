// The command dialog "Enter command line and options": where the user writes
// one line of a command file. This is its state and the behaviour of its
// controls; a form shows the fields and calls the handlers.
#pragma once

#include <string>
#include <vector>

#include "ui/core/user_questions.h"

namespace tolm {

inline constexpr const char* kCommandDialogCaption = "Enter command line and options";

// The radio buttons of the group "Initial Window Mode"; exactly one is selected.
enum class WindowModeOption { Normal, Minimized, Maximized, Hidden, NoActivate };

// The file dialog of "Browse...".
FileDialogRequest BrowseProgramRequest();

class CommandDialogModel {
 public:
  // Prog: the command word (editable combo box with its drop-down items).
  std::string Prog;
  std::vector<std::string> ProgItems;
  // Args: the argument text, described by the two stacked labels.
  std::string Args;
  std::string Label3 = "Command";
  std::string Label2 = "Arguments";
  bool Label3Visible = true;
  bool Label2Visible = true;
  bool ArgsVisible = true;
  // The enabled state of NormalOpt, WaitOpt, HideOpt, MaxOpt, MinOpt and
  // MinNoActOpt; IgnoreOpt and WarnOpt are always enabled.
  bool OptionsEnabled = true;
  // Check boxes "Wait for program to finish before continuing", "Give
  // Warning", "Ignore Error".
  bool WaitOpt = false;
  bool WarnOpt = false;
  bool IgnoreOpt = false;
  WindowModeOption WindowMode = WindowModeOption::Normal;

  // The user typed in Prog (or picked an item): the text changes and
  // ProgChange adjusts the captions.
  void SetProg(const std::string& text);
  // The form became active: captions that fit the record shown.
  void OnActivate() { ProgChange(); }
  // Adjusts the argument captions, their visibility and the enabled options
  // to the command word in Prog.
  void ProgChange();
  // The drop-down list is about to open: it is refilled, and what was typed
  // in Prog is erased.
  void ProgDropDown();
  void EnableOptions(bool enabled) { OptionsEnabled = enabled; }
  // "Browse...": a chosen file's full path becomes Prog (in double quotes
  // when it starts with "/").
  void btnBrowseClick(UserQuestions& questions);
  // "&OK": true when the dialog may close with OK. An internal command or a
  // command file call must parse; when it does not, the parser has shown its
  // report and the dialog stays open.
  bool btnOkClick() const;
};

}  // namespace tolm
