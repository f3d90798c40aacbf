// The list dialog of "/plist" and "/wlist": the running programs or the open
// windows' titles, narrowed with "&Find...". A view over ListDialogModel.
#pragma once

#include <functional>
#include <string>

#include "ui/core/list_dialog_model.h"
#include "ui/core/user_questions.h"
#include "ui/win32/modal_dialog.h"

namespace tolm {

class ListDialog : public ModalDialog {
 public:
  using ShowError = std::function<void(const std::string& message)>;

  // questions answers "&Find..."'s input box; showError shows a failure of
  // listing. Neither is owned.
  ListDialog(bool windowMode, UserQuestions& questions, ShowError showError);

  const ListDialogModel& Model() const { return model_; }

 protected:
  void OnInit() override;
  bool OnCommand(int id, int notification) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  // Shows the model's caption and entries, or the failure of the operation.
  void Show(const std::string& failure);
  void Layout(int width, int height);

  ListDialogModel model_;
  UserQuestions& questions_;
  ShowError showError_;
  int margin_ = 0;
};

// The questions the list dialog asks: only the search text, in the input
// box. The others answer as if cancelled.
class ListDialogQuestions : public UserQuestions {
 public:
  bool AskYesNo(const std::string&) override { return false; }
  std::optional<std::string> AskOpenFileName(const FileDialogRequest&) override { return std::nullopt; }
  std::optional<std::string> AskSaveFileName(const FileDialogRequest&) override { return std::nullopt; }
  std::optional<ReplaceStrings> AskReplaceAll() override { return std::nullopt; }
  std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                      const std::string& defaultText) override;
};

}  // namespace tolm
