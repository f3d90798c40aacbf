// The list dialog of "/plist" and "/wlist": the names of the running programs
// or the titles of the open windows, narrowed by a search text. This is its
// state and the behaviour of its buttons; a form shows Caption and Items.
#pragma once

#include <string>
#include <vector>

#include "ui/core/user_questions.h"

namespace tolm {

class ListDialogModel {
 public:
  // False lists processes, true lists windows ("/wlist").
  bool WindowMode = false;
  // The pattern entries must match (MatchPattern's wildcard syntax).
  std::string Filter;
  std::string Caption = "Running processes";
  // PList, the list box.
  std::vector<std::string> Items;

  // The form became active (first of all when shown): every entry is listed.
  void OnActivate() { Button2Click(); }
  // "&Close" (Button1Click) only closes the form with OK.
  // "&Refresh": every entry again.
  void Button2Click();
  // "&Find...": asks for a search text and lists the entries that contain it
  // (process names letter case ignored, window titles as they are).
  void Button3Click(UserQuestions& questions);
  // Fills Items with the entries that match Filter.
  void Refresh();
};

}  // namespace tolm
