// The list dialog of "/plist" and "/wlist": the running programs or the open
// windows' titles, narrowed with "&Find...". A view over ListDialogModel.
#pragma once

#include <QDialog>

#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "ui/core/list_dialog_model.h"
#include "ui/core/user_questions.h"

class QListWidget;
class QPushButton;
class QShowEvent;

namespace tolm {

class ListDialog : public QDialog {
  Q_OBJECT

 public:
  using ShowError = std::function<void(const std::string& message)>;

  // questions answers "&Find..."'s input box; showError shows a failure of
  // listing. Neither is owned.
  ListDialog(bool windowMode, UserQuestions& questions, ShowError showError);

  const ListDialogModel& Model() const { return model_; }

  QListWidget* PList;  // owned by the dialog, like every control
  QPushButton* Button1;
  QPushButton* Button2;
  QPushButton* Button3;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void OnActivate();
  void Button1Click() { accept(); }
  void Button2Click();
  void Button3Click();
  // Shows the model's caption and entries, or the failure of the operation.
  void Show(const std::string& failure);

  ListDialogModel model_;
  UserQuestions& questions_;
  ShowError showError_;
  bool activated_ = false;
};

// The questions the list dialog asks: only the search text, in a one-line
// input box shown through runner. It asks no other question, so the others
// answer as if cancelled.
class ListDialogQuestions : public UserQuestions {
 public:
  explicit ListDialogQuestions(std::function<void(QDialog&)> runner) : runner_(std::move(runner)) {}
  bool AskYesNo(const std::string&) override { return false; }
  std::optional<std::string> AskOpenFileName(const FileDialogRequest&) override { return std::nullopt; }
  std::optional<std::string> AskSaveFileName(const FileDialogRequest&) override { return std::nullopt; }
  std::optional<ReplaceStrings> AskReplaceAll() override { return std::nullopt; }
  // Never throws: it is called from the program's side of the module boundary.
  std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                      const std::string& defaultText) override;

 private:
  std::function<void(QDialog&)> runner_;
};

}  // namespace tolm
