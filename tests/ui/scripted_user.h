// A user answered in advance, for tests of the editor and its dialogs: every
// question takes the next scripted answer and is recorded; error boxes and
// "Information" dialogs are recorded. A question without a scripted answer
// fails the test. The command dialog is scripted the same way: each showing
// runs the next step against the dialog's fields.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "services/seams/user_interface.h"
#include "ui/core/command_mapping.h"
#include "ui/core/user_questions.h"

namespace tolm::testing {

class ScriptedUser : public UserQuestions, public UserInterface {
 public:
  ScriptedUser() { SetUserInterface(this); }
  ~ScriptedUser() override {
    SetUserInterface(nullptr);
    EXPECT_TRUE(yesNo.empty() && openNames.empty() && saveNames.empty() && inputs.empty() && replaces.empty())
        << "scripted answers left unused";
  }
  ScriptedUser(const ScriptedUser&) = delete;
  ScriptedUser& operator=(const ScriptedUser&) = delete;

  // --- answers, taken in order
  std::deque<bool> yesNo;
  std::deque<std::optional<std::string>> openNames;
  std::deque<std::optional<std::string>> saveNames;
  std::deque<std::optional<std::string>> inputs;
  std::deque<std::optional<ReplaceStrings>> replaces;

  // --- records
  std::vector<std::string> questions;  // AskYesNo texts
  std::vector<FileDialogRequest> openRequests;
  std::vector<FileDialogRequest> saveRequests;
  std::vector<std::vector<std::string>> inputBoxes;  // caption, prompt, default
  int replaceDialogs = 0;
  std::vector<std::string> errors;
  std::vector<std::string> infoDialogs;

  bool AskYesNo(const std::string& text) override {
    questions.push_back(text);
    return Next(yesNo, false, "AskYesNo: " + text);
  }
  std::optional<std::string> AskOpenFileName(const FileDialogRequest& request) override {
    openRequests.push_back(request);
    return Next(openNames, std::optional<std::string>(), "open dialog");
  }
  std::optional<std::string> AskSaveFileName(const FileDialogRequest& request) override {
    saveRequests.push_back(request);
    return Next(saveNames, std::optional<std::string>(), "save dialog");
  }
  std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                      const std::string& defaultText) override {
    inputBoxes.push_back({caption, prompt, defaultText});
    return Next(inputs, std::optional<std::string>(), "input box");
  }
  std::optional<ReplaceStrings> AskReplaceAll() override {
    ++replaceDialogs;
    return Next(replaces, std::optional<ReplaceStrings>(), "Replace All dialog");
  }

  void ShowInfoDialog(const std::string& text, bool) override { infoDialogs.push_back(text); }
  void ShowMessage(MessageKind kind, const std::string& text) override {
    EXPECT_EQ(kind, MessageKind::Error) << text;
    errors.push_back(text);
  }

 private:
  template <typename T>
  static T Next(std::deque<T>& answers, T unanswered, const std::string& what) {
    if (answers.empty()) {
      ADD_FAILURE() << "unexpected question: " << what;
      return unanswered;
    }
    T answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

// The command dialog: each showing runs the next step, which may change the
// fields and says whether the user pressed OK. OK closes the dialog only when
// btnOkClick allows it; a refused OK is recorded and the user then cancels.
class ScriptedCommandDialog : public CommandDialogHost {
 public:
  using Step = std::function<bool(CommandDialogModel&)>;

  ~ScriptedCommandDialog() override { EXPECT_TRUE(steps.empty()) << "dialog steps left unused"; }

  std::deque<Step> steps;
  std::vector<CommandDialogModel> shown;  // the fields as each showing began
  int refusedOks = 0;

  // Pressing OK after changing the fields with edit.
  void Accept(std::function<void(CommandDialogModel&)> edit = nullptr) {
    steps.push_back([edit](CommandDialogModel& d) {
      if (edit) edit(d);
      return true;
    });
  }
  void Cancel() {
    steps.push_back([](CommandDialogModel&) { return false; });
  }

  bool ShowModal(CommandDialogModel& dialog) override {
    dialog.OnActivate();
    shown.push_back(dialog);
    if (steps.empty()) {
      ADD_FAILURE() << "unexpected command dialog";
      return false;
    }
    Step step = steps.front();
    steps.pop_front();
    if (!step(dialog)) return false;
    if (dialog.btnOkClick()) return true;
    ++refusedOks;
    return false;
  }
};

}  // namespace tolm::testing
